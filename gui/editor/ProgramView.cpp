#include "editor/ProgramView.h"

#include "ReportPainter.h"
#include "app/AppContext.h"
#include "app/DialogUnits.h"
#include "app/FileDialog.h"
#include "app/LanguageDlg.h"
#include "app/MessageBox.h"
#include "app/Pictures.h"
#include "app/Resource.h"
#include "app/SystemReason.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelEdit.h"
#include "channels/ChannelFields.h"
#include "channels/ChannelPaste.h"
#include "dialogs/ImportPreviewDlg.h"
#include "editor/ChannelModel.h"
#include "editor/ChannelView.h"
#include "platform/AtomicFile.h"
#include "text/CoreTexts.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>

ProgramView::ProgramView(AppContext& context, ProgramDoc* doc, QWidget* parent)
    : QWidget(parent), m_context(context), m_document(doc) {
    setObjectName(QStringLiteral("ProgramView"));
    setFont(DialogUnits::templateFont());
    const DialogUnits du(font());
    resize(du.size(kFormWidth, kFormHeight));

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("Caption"));
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(du.rect(14, 13, 370, 17));
    QFont captionFont;
    captionFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体")});
    captionFont.setPointSize(12);
    m_caption->setFont(captionFont);
    QPalette red = m_caption->palette();
    red.setColor(QPalette::WindowText, QColor(250, 10, 10));
    m_caption->setPalette(red);

    m_model = new ChannelModel(doc, m_context.language(), this);
    m_grid = new ChannelView(m_model, this);
    m_grid->setObjectName(QStringLiteral("ChannelGrid"));
    m_grid->setGeometry(gridPlace());

    m_languageDlg = new LanguageDlg(m_context, this);
    // While a transfer works on the document, the grid takes no edits; it still repaints.
    connect(m_document, &ProgramDoc::busyChanged, this,
            [this] { m_grid->setEnabled(!m_document->isBusy()); });
}

ProgramView::~ProgramView() = default;

void ProgramView::onInitialUpdate() {
    if (m_firstUpdate) {
        // The caption in the user interface's language, whatever section "Language" names.
        m_caption->setText(QString::fromStdString(
            m_context.settings().languageText(m_context.language(), LanguageText::Title)));
        m_firstUpdate = false;
    }
    if (const QIcon icon = Pictures::titleIcon(m_context.dataDir()); !icon.isNull()) {
        for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
                frame->setWindowIcon(icon);
                break;
            }
        }
    }
}

QSize ProgramView::sizeHint() const {
    return DialogUnits(font()).size(kFormWidth, kFormHeight);
}

// The grid keeps its place on the form, and shrinks with a window smaller than the form: it
// scrolls then.
QRect ProgramView::gridPlace() const {
    const DialogUnits du(font());
    const QRect place = du.rect(15, 37, 370, 167);
    const QSize margin = du.size(13, 14);
    const QSize room(width() - place.x() - margin.width(), height() - place.y() - margin.height());
    return QRect(place.topLeft(), place.size().boundedTo(room.expandedTo(QSize(1, 1))));
}

void ProgramView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_grid->setGeometry(gridPlace());
}

bool ProgramView::commitPendingEdit() {
    return m_grid->commitPendingEdit();
}

BandLimits ProgramView::bandLimits() const {
    return m_document->typeAndBand().limits;
}

void ProgramView::editRows(const QString& text, int nextRow,
                           const std::function<RowEdit(MemoryImage&, int)>& edit) {
    if (!commitPendingEdit()) {
        return;
    }
    const int channel = m_grid->row();
    if (channel < 1 || channel > image::kChannelCount) {
        return;
    }
    MemoryImage image = m_document->image();
    switch (edit(image, channel)) {
    case RowEdit::Done:
        m_document->applyChange(text.arg(channel), image);
        m_grid->setRowCol(std::clamp(nextRow, 1, image::kChannelCount), m_grid->col());
        break;
    case RowEdit::NoRoom:
        MessageBox::show(window(), tr("Channel 16 is in use: there is no room to insert a channel."));
        break;
    case RowEdit::OutOfRange:
        break;
    }
}

void ProgramView::onImportChannels() {
    if (!commitPendingEdit()) {
        return;
    }
    const QString path = FileDialog::getOpenFileName(window(), tr("Channel lists (*.csv);;All files (*)"));
    if (path.isEmpty()) {
        return;
    }
    // A channel list is a few kilobytes; anything far larger is not one.
    constexpr qint64 kMaxCsvBytes = 1 << 20;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCsvBytes) {
        const QString reason = file.isOpen() ? tr("It is too large for a channel list.")
                                             : SystemReason::text(file.errorString());
        MessageBox::show(window(),
                         tr("Cannot open the file %1.\n%2").arg(QDir::toNativeSeparators(path), reason));
        return;
    }
    const QByteArray text = file.readAll();
    const MemoryImage before = m_document->image();
    const channelcsv::ImportResult result =
        channelcsv::importCsv(std::string_view(text.constData(), static_cast<size_t>(text.size())), before,
                              bandLimits(), m_context.language());
    ImportPreviewDlg preview(before, result, m_context.language(), window());
    if (preview.exec() != QDialog::Accepted || !result.ok()) {
        return;
    }
    m_document->applyChange(tr("Import Channels"), result.image);
}

void ProgramView::onExportChannels() {
    if (!commitPendingEdit()) {
        return;
    }
    const QString path =
        FileDialog::getSaveFileName(window(), QStringLiteral("channels.csv"),
                                    tr("Channel lists (*.csv);;All files (*)"), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    std::string error;
    const std::string csv = channelcsv::exportCsv(m_document->image());
    if (!platform::writeFileAtomically(QFile::encodeName(path).toStdString(), csv, error)) {
        MessageBox::show(window(), tr("Cannot save the file %1.\n%2")
                                       .arg(QDir::toNativeSeparators(path), SystemReason::text(error)));
        return;
    }
    // One line per channel below the header line.
    const int channels = static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window())) {
        mainWindow->statusBar()->showMessage(
            tr("%n channel(s) exported to %1", nullptr, channels).arg(QDir::toNativeSeparators(path)));
    }
}

CellRange ProgramView::chosenCells() const {
    return m_grid->chosenCells();
}

// Spreadsheets take the tab-separated text; whole channels also go as a channel list, which
// other radio programming tools and this program's own import read.
void ProgramView::copyToClipboard(const CellRange& cells) {
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdString(copyCells(m_model->table(), cells)));
    if (cells.isWholeRows()) {
        mime->setData(QStringLiteral("text/csv"), QByteArray::fromStdString(channelcsv::exportCsv(
                                                      m_document->image(), cells.top, cells.bottom)));
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

void ProgramView::onCopy() {
    if (commitPendingEdit()) {
        copyToClipboard(chosenCells());
    }
}

void ProgramView::onCut() {
    if (commitPendingEdit()) {
        const CellRange cells = chosenCells();
        copyToClipboard(cells);
        clearCellRange(tr("Cut"), cells);
    }
}

void ProgramView::onClearCells() {
    if (commitPendingEdit()) {
        const CellRange cells = chosenCells();
        clearCellRange(cells.isWholeRows() ? tr("Clear Channels") : tr("Clear Cells"), cells);
    }
}

// Whole channels are erased, bytes and all; single cells are cleared as typing would clear them.
void ProgramView::clearCellRange(const QString& text, const CellRange& cells) {
    MemoryImage image = m_document->image();
    if (cells.isWholeRows()) {
        if (clearChannels(image, cells.top, cells.bottom) != RowEdit::Done) {
            return;
        }
    } else {
        ChannelTable table = m_model->table();
        if (!clearCells(table, cells, bandLimits())) {
            return;
        }
        image = table.image();
    }
    m_document->applyChange(text, image);
}

void ProgramView::onSelectAll() {
    m_grid->selectAll();
}

QString ProgramView::refusalText(const PasteRefusal& refusal) const {
    const Language language = m_context.language();
    QString reason;
    switch (refusal.reason) {
    case PasteRefusal::Reason::OutOfRange:
        reason = QString::fromUtf8(messageText(MessageId::OutOfRange, language));
        break;
    case PasteRefusal::Reason::OffStep:
        reason = QString::fromUtf8(messageText(MessageId::OffStep, language));
        break;
    case PasteRefusal::Reason::NotInList:
        reason = tr("not one of the column's choices");
        break;
    case PasteRefusal::Reason::PastTheGrid:
        reason = tr("past the last channel or column");
        break;
    case PasteRefusal::Reason::NotInUse:
        reason = QString::fromUtf8(coreText(CoreText::ChannelNotInUse, language));
        break;
    }
    const ChannelFieldInfo* field = channelFieldAt(refusal.col);
    const QString column =
        field ? QString::fromUtf8(coreText(field->heading, language)) : QString::number(refusal.col);
    return tr("Channel %1, %2: \"%3\": %4")
        .arg(refusal.row)
        .arg(column, QString::fromStdString(refusal.text), reason);
}

// The cells go through the rules of typing, all or nothing; when some are refused, the user sees
// every refusal and may take the accepted cells alone.
void ProgramView::applyCells(const QString& text, const QString& refusedText,
                             const std::function<PasteResult(ChannelTable&, PasteMode)>& edit) {
    ChannelTable table = m_model->table();
    PasteResult result = edit(table, PasteMode::AllOrNothing);
    if (!result.refused.empty()) {
        QStringList lines;
        for (const PasteRefusal& refusal : result.refused) {
            lines << refusalText(refusal);
        }
        const bool someAccepted = result.cells > static_cast<int>(result.refused.size());
        const QString question = refusedText.arg(lines.join(QLatin1Char('\n')));
        if (!someAccepted) {
            MessageBox::show(window(), question);
            return;
        }
        if (MessageBox::show(window(), question + QStringLiteral("\n\n") + tr("Take the other cells?"),
                             QString(), QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            return;
        }
        table = m_model->table();
        result = edit(table, PasteMode::AcceptedPart);
    }
    if (result.applied) {
        m_document->applyChange(text, table.image());
    }
}

void ProgramView::onPaste() {
    if (!commitPendingEdit()) {
        return;
    }
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr) {
        return;
    }
    const CellRange cells = chosenCells();
    const std::string text = mime->text().toStdString();
    const std::string list = mime->hasText() ? text : mime->data(QStringLiteral("text/csv")).toStdString();
    if (isChannelList(list)) {
        pasteList(list, cells.top);
        return;
    }
    applyCells(tr("Paste"), tr("Nothing was pasted; these cells cannot be taken:\n%1"),
               [&](ChannelTable& table, PasteMode mode) {
                   return pasteIntoRange(table, cells, text, bandLimits(), mode);
               });
}

void ProgramView::pasteList(const std::string& list, int row) {
    MemoryImage image = m_document->image();
    const ListPasteResult result = pasteChannelList(image, row, list, bandLimits(), m_context.language());
    if (!result.problems.empty()) {
        QStringList lines;
        for (const channelcsv::Problem& problem : result.problems) {
            lines << tr("Line %1: %2").arg(problem.line).arg(QString::fromStdString(problem.reason));
        }
        MessageBox::show(window(),
                         tr("Nothing was pasted; these rows of the channel list cannot be taken:\n%1")
                             .arg(lines.join(QLatin1Char('\n'))));
        return;
    }
    if (result.channels > 0) {
        m_document->applyChange(tr("Paste"), image);
    }
}

void ProgramView::onFillDown() {
    if (commitPendingEdit()) {
        const CellRange cells = chosenCells();
        applyCells(
            tr("Fill Down"), tr("Nothing was filled in; these cells cannot be taken:\n%1"),
            [&](ChannelTable& table, PasteMode mode) { return fillDown(table, cells, bandLimits(), mode); });
    }
}

void ProgramView::onInsertChannel() {
    editRows(tr("Insert Channel %1"), m_grid->row(), insertChannel);
}

void ProgramView::onDeleteChannel() {
    editRows(tr("Delete Channel %1"), m_grid->row(), deleteChannel);
}

void ProgramView::onMoveChannelUp() {
    editRows(tr("Move Channel %1 Up"), m_grid->row() - 1,
             [](MemoryImage& image, int channel) { return moveChannel(image, channel, -1); });
}

void ProgramView::onMoveChannelDown() {
    editRows(tr("Move Channel %1 Down"), m_grid->row() + 1,
             [](MemoryImage& image, int channel) { return moveChannel(image, channel, 1); });
}

bool ProgramView::printReport(QPrinter& printer) {
    const std::string owner =
        m_context.settings().languageText(m_context.languageSection(), LanguageText::CopyrightsOwner);
    return paintReport(printer, m_document->image(), ChannelCodec::decodeAll(m_document->image()),
                       m_context.language(), owner);
}

void ProgramView::onFilePrint(QPrinter& printer) {
    commitPendingEdit();
    QPrintDialog dialog(&printer, window());
    if (dialog.exec() == QDialog::Accepted && !printReport(printer)) {
        MessageBox::show(
            window(), m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "The report could not be printed.")));
    }
}

void ProgramView::onFilePrintPreview(QPrinter& printer) {
    commitPendingEdit();
    QPrintPreviewDialog dialog(&printer, window());
    dialog.setWindowTitle(tr("Print Preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printReport(*p); });
    dialog.exec();
}
