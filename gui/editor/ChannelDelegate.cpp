#include "editor/ChannelDelegate.h"

#include "app/MessageBox.h"
#include "app/Resource.h"
#include "channels/ChannelEdit.h"
#include "document/ProgramDoc.h"
#include "editor/ChannelModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr const char* kUserChose = "userChose";

} // namespace

ChannelDelegate::ChannelDelegate(ChannelModel* model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

QWidget* ChannelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
    const ChannelFieldInfo& field = ChannelModel::field(index);
    QWidget* editor = nullptr;
    if (field.kind == FieldKind::Frequency) {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        editor = edit;
    } else {
        auto* box = new QComboBox(parent);
        box->setMaxVisibleItems(field.kind == FieldKind::Tone ? 12 : 4);
        for (const std::string& item : fieldItems(field, m_model->language())) {
            box->addItem(QString::fromStdString(item));
        }
        // Picking an item, with the mouse or the keys, is a choice; leaving the list as it
        // opened is none (a tone the list does not offer keeps its text).
        connect(box, qOverload<int>(&QComboBox::activated), box,
                [box] { box->setProperty(kUserChose, true); });
        editor = box;
    }
    // The editor's own colours, not the dark grey around the cells.
    QPalette colours = editor->palette();
    colours.setColor(QPalette::Base, QApplication::palette(editor).color(QPalette::Base));
    editor->setPalette(colours);
    editor->setProperty(kHelpIdProperty, field.helpId);
    // What a screen reader says when the editor takes the keyboard.
    editor->setAccessibleName(tr("%1, channel %2")
                                  .arg(QString::fromUtf8(coreText(field.heading, m_model->language())))
                                  .arg(index.row() + 1));
    m_editor = editor;
    return editor;
}

void ChannelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(m_model->initialListIndex(index));
        box->setProperty(kUserChose, false);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(index.data().toString());
        edit->selectAll();
    }
}

void ChannelDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    auto* box = qobject_cast<QComboBox*>(editor);
    const QString text = box ? box->currentText() : static_cast<QLineEdit*>(editor)->text();
    m_committing = true;
    const CommitOutcome outcome = m_model->commit(index, text, box && box->property(kUserChose).toBool());
    m_committing = false;
    if (outcome.accepted) {
        return;
    }
    m_refused = true;
    const Language language = m_model->language();
    QString message;
    if (box) {
        message = QString::fromUtf8(coreText(CoreText::ChannelNotInUse, language));
    } else if (outcome.message) {
        // The message, then the band it was checked against; without a band, where to choose one.
        message = QString::fromStdString(
            channeledit::refusalText(*outcome.message, m_model->bandLimits(), language));
    }
    if (!message.isEmpty()) {
        QWidget* view = editor->parentWidget() ? editor->parentWidget()->parentWidget() : nullptr;
        MessageBox::show(view, message, QString::fromUtf8(coreText(CoreText::Caution, language)),
                         QMessageBox::Ok, QMessageBox::Warning);
    }
}

void ChannelDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const {
    // Exactly over the cell, at any scale; a list drops its items in a popup of its own.
    editor->setGeometry(option.rect);
}

bool ChannelDelegate::isGridKey(QObject* editor, const QKeyEvent* key) {
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

bool ChannelDelegate::eventFilter(QObject* watched, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(watched);
    if (editor == nullptr ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) {
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (isGridKey(watched, key)) {
        if (event->type() == QEvent::ShortcutOverride) {
            // Not the editor's: the window's shortcut for the key runs instead.
            event->ignore();
            return mods != Qt::ShiftModifier;
        }
        if (mods == Qt::ShiftModifier) {
            // Shift with a movement key: the edit is taken and the grid selects from its cell.
            QWidget* view = editor->parentWidget() ? editor->parentWidget()->parentWidget() : nullptr;
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            if (view != nullptr) {
                QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers());
                QCoreApplication::sendEvent(view, &forwarded);
            }
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress) {
        return QStyledItemDelegate::eventFilter(watched, event);
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken at once, and the view moves on unless it was refused.
        emit commitData(editor);
        emit closeEditor(editor, SubmitModelCache);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        emit commitData(editor);
        emit closeEditor(editor, key->key() == Qt::Key_Tab ? EditNextItem : EditPreviousItem);
        return true;
    default:
        return QStyledItemDelegate::eventFilter(watched, event);
    }
}
