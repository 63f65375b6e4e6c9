#include "editor/ChannelGridEditor.h"

#include "app/MessageBox.h"
#include "channels/ChannelEdit.h"
#include "editor/MSFlexGrid.h"
#include "text/CoreTexts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

ChannelGridEditor::ChannelGridEditor(MSFlexGrid* grid, Language language, QObject* parent)
    : QObject(parent), m_grid(grid), m_language(language), m_table(language) {
    // One editor per field: a line for a frequency, a list for the others.
    for (const ChannelFieldInfo& field : channelFields()) {
        QWidget* editor = nullptr;
        if (field.kind == FieldKind::Frequency) {
            auto* edit = new QLineEdit(grid);
            edit->setFrame(false);
            edit->setAlignment(Qt::AlignCenter);
            editor = edit;
        } else {
            auto* box = new QComboBox(grid);
            box->setMaxVisibleItems(field.kind == FieldKind::Tone ? 12 : 4);
            connect(box, qOverload<int>(&QComboBox::activated), this, [this] { m_userChose = true; });
            editor = box;
        }
        editor->setProperty("controlId", field.helpId);
        editor->hide();
        editor->installEventFilter(this);
        m_editors[field.col] = editor;
    }
    m_grid->installEventFilter(this);
    m_grid->setProperty("controlId", 1000);
    connect(m_grid, &MSFlexGrid::leaveCell, this, &ChannelGridEditor::onLeaveCell);
    connect(m_grid, &MSFlexGrid::enterCell, this, &ChannelGridEditor::onEnterCell);
    connect(m_grid, &MSFlexGrid::mouseDown, this, [this](int, int shift, int, int) { onMouseDown(shift); });
}

void ChannelGridEditor::buildGrid() {
    m_grid->setForeColorFixed(QColor(0, 50, 240));
    m_grid->setCols(kGridCols);
    for (int c = 0; c < m_grid->cols(); ++c) {
        m_grid->setColAlignment(c, 4);
    }
    m_grid->setColWidthTwips(col::kNumber, kNumberColumnWidthTwips);
    for (const ChannelFieldInfo& field : channelFields()) {
        m_grid->setColWidthTwips(field.col, field.widthTwips);
        if (QComboBox* box = combo(field.col)) {
            box->clear();
            for (const std::string& item : m_table.listItems(field.col)) {
                box->addItem(QString::fromStdString(item));
            }
        }
    }
    refresh();
}

void ChannelGridEditor::refresh() {
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridCols; ++c) {
            m_grid->setTextMatrix(r, c, QString::fromStdString(m_table.text(r, c)));
        }
    }
}

QComboBox* ChannelGridEditor::combo(int col) const {
    return qobject_cast<QComboBox*>(editorOf(col));
}

QWidget* ChannelGridEditor::editorOf(int col) const {
    return col >= 1 && col < kGridCols ? m_editors[col] : m_editors[col::kRxFrequency];
}

QLineEdit* ChannelGridEditor::rxEditor() const {
    return qobject_cast<QLineEdit*>(m_editors[col::kRxFrequency]);
}

QLineEdit* ChannelGridEditor::txEditor() const {
    return qobject_cast<QLineEdit*>(m_editors[col::kTxFrequency]);
}

QWidget* ChannelGridEditor::visibleEditor() const {
    // Open, even while its window is minimised or hidden: an edit there still counts.
    QWidget* editor = editorOf(m_grid->col());
    return editor->isHidden() ? nullptr : editor;
}

void ChannelGridEditor::onEnterCell() {
    const int row = m_grid->row();
    const int col = m_grid->col();
    if (row < 1 || col < 1) {
        return;
    }
    const std::string text = m_table.text(row, col);
    if (QComboBox* box = combo(col)) {
        box->setCurrentIndex(m_table.initialListIndex(col, text));
    } else {
        static_cast<QLineEdit*>(editorOf(col))->setText(QString::fromStdString(text));
    }
    showCellEditor();
}

// A plain click edits the cell it made current; one that selects cells leaves the keys to the
// grid, so that Delete, Copy and Shift+arrows act on the selection.
void ChannelGridEditor::onMouseDown(int shift) {
    if ((shift & 1) == 0 && m_grid->selection().isNull()) {
        onEnterCell();
    } else if (commit()) {
        m_grid->setFocus();
    }
}

void ChannelGridEditor::showCellEditor() {
    const int row = m_grid->row();
    const int col = m_grid->col();
    if (row < 1 || col < 1) {
        return;
    }
    QWidget* editor = editorOf(col);
    const int dx = m_grid->logicalDpiX();
    const int dy = m_grid->logicalDpiY();
    // A list drops its items in a popup of its own, so every editor takes just the cell's height.
    const int h = m_grid->cellHeightTwips() * dy / 1440;
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(QString::fromStdString(m_table.text(row, col)));
        edit->selectAll();
    } else {
        m_userChose = false;
    }
    // The editor covers the cell and the grid line before it: 3 pixels up and left.
    editor->setGeometry(m_grid->cellLeft() * dx / 1440 - 3, m_grid->cellTop() * dy / 1440 - 3,
                        m_grid->cellWidthTwips() * dx / 1440, h);
    editor->show();
    editor->raise();
    editor->setFocus();
    m_grid->update();
}

void ChannelGridEditor::onLeaveCell() {
    commit();
}

bool ChannelGridEditor::commit() {
    QWidget* editor = visibleEditor();
    if (!editor) {
        return true;
    }
    const int row = m_grid->row();
    const int col = m_grid->col();
    bool accepted = true;
    const std::vector<std::string> before = [&] {
        std::vector<std::string> texts;
        for (int c = 1; c < kGridCols; ++c) {
            texts.push_back(m_table.text(row, c));
        }
        return texts;
    }();
    if (editor->hasFocus()) {
        m_grid->setFocus();
    }
    editor->hide();
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        const CommitOutcome out =
            m_table.commitFrequency(row, col, edit->text().trimmed().toStdString(), m_limits);
        if (!out.accepted && out.message) {
            accepted = false;
            // The message, then the band it was checked against; without a band, where to choose one.
            QString text =
                QString::fromStdString(channeledit::refusalText(*out.message, m_limits, m_language));
            if (channeledit::isNoBand(m_limits)) {
                text +=
                    QLatin1Char('\n') + tr("Choose the radio type and band in Edit > Product Information.");
            }
            MessageBox::show(m_grid, text, QString::fromUtf8(coreText(CoreText::Caution, m_language)),
                             QMessageBox::Ok, QMessageBox::Warning);
        }
    } else {
        auto* box = static_cast<QComboBox*>(editor);
        if (!m_table.commitList(row, col, box->currentText().toStdString(), m_userChose).accepted) {
            MessageBox::show(m_grid, QString::fromUtf8(coreText(CoreText::ChannelNotInUse, m_language)),
                             QString::fromUtf8(coreText(CoreText::Caution, m_language)), QMessageBox::Ok,
                             QMessageBox::Warning);
        }
    }
    for (int c = 1; c < kGridCols; ++c) {
        if (m_table.text(row, c) != before[static_cast<size_t>(c - 1)]) {
            refresh();
            emit changed(row, col);
            break;
        }
    }
    return accepted;
}

bool ChannelGridEditor::commitPendingEdit() {
    return commit();
}

void ChannelGridEditor::abandonEdit() {
    if (QWidget* editor = visibleEditor()) {
        editor->hide();
        m_grid->setFocus();
    }
}

void ChannelGridEditor::moveAfterEnter() {
    const int row = m_grid->row();
    const int col = m_grid->col();
    if (col < m_grid->cols() - 1) {
        m_grid->setCol(col + 1);
    } else if (row < m_grid->rows() - 1) {
        m_grid->setRow(row + 1);
        m_grid->setCol(1);
    } else {
        m_grid->setRow(1);
        m_grid->setCol(1);
    }
}

void ChannelGridEditor::moveBy(int step) {
    const int cols = m_grid->cols() - 1;
    int index = (m_grid->row() - 1) * cols + (m_grid->col() - 1) + step;
    const int count = (m_grid->rows() - 1) * cols;
    index = (index % count + count) % count;
    m_grid->setRowCol(index / cols + 1, index % cols + 1);
}

bool ChannelGridEditor::isGridKey(QObject* editor, const QKeyEvent* key) const {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    const bool untouched = edit == nullptr || !edit->isModified();
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ShiftModifier) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            return untouched; // once typed into, they select text
        default:
            return false;
        }
    }
    if (!untouched || edit == nullptr) {
        return false; // a list's keys are its own; the commands' keys reach the window anyway
    }
    for (QKeySequence::StandardKey command :
         {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
          QKeySequence::SelectAll}) {
        if (key->matches(command)) {
            return true;
        }
    }
    return (mods == Qt::NoModifier && key->key() == Qt::Key_Delete) ||
           (mods == Qt::ControlModifier && key->key() == Qt::Key_D);
}

bool ChannelGridEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_grid) {
        onEnterCell();
        return true;
    }
    if (watched != m_grid &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        isGridKey(watched, static_cast<QKeyEvent*>(event))) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            // Not the editor's: the window's shortcut for the key runs instead.
            event->ignore();
            return (key->modifiers() & ~Qt::KeypadModifier) != Qt::ShiftModifier;
        }
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
            // Shift with a movement key: the edit is taken and the grid selects from its cell.
            if (commit()) {
                m_grid->setFocus();
                QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers());
                QCoreApplication::sendEvent(m_grid, &forwarded);
            }
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && box->view() && box->view()->isVisible()) {
            return false; // Enter chooses in the open list first
        }
        if (!commit()) {
            m_grid->setFocus();
            return true; // refused: the current cell stays where it is
        }
        moveAfterEnter();
        return true;
    }
    case Qt::Key_Escape:
        if (watched != m_grid) {
            abandonEdit();
            return true;
        }
        return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // As Enter: a refused text keeps the current cell.
        if (!commit()) {
            m_grid->setFocus();
            return true;
        }
        moveBy(key->key() == Qt::Key_Tab ? 1 : -1);
        return true;
    case Qt::Key_F2:
        onEnterCell(); // the editor of the current cell, filled from the cell
        return true;
    default:
        // A character typed on the grid starts an edit of the current cell with that character,
        // as in a spreadsheet: a text box replaces the cell's text, a list picks by it.
        if (watched == m_grid && !key->text().isEmpty() && key->text().at(0).isPrint() &&
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
            onEnterCell();
            if (QWidget* editor = visibleEditor()) {
                QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
                QCoreApplication::sendEvent(editor, &typed);
            }
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
}
