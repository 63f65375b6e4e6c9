#include "editor/DocumentCommands.h"

#include "ReportPainter.h"
#include "app/AppContext.h"
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/SystemReason.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelCsv.h"
#include "channels/ChannelFields.h"
#include "check/ChannelCheck.h"
#include "dialogs/ChannelPlansDlg.h"
#include "dialogs/CheckChannelsDlg.h"
#include "dialogs/ImportPreviewDlg.h"
#include "dialogs/OptionalFeaturesDlg.h"
#include "dialogs/ProductInfoDlg.h"
#include "editor/ChannelModel.h"
#include "editor/ChannelView.h"
#include "platform/AtomicFile.h"
#include "text/CoreTexts.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>

DocumentCommands::DocumentCommands(AppContext& context, ProgramDoc* doc, ChannelView* grid, QWidget* window)
    : QObject(window), m_context(context), m_document(doc), m_grid(grid), m_model(grid->channelModel()),
      m_window(window) {}

bool DocumentCommands::commitPendingEdit() {
    return m_grid->commitPendingEdit();
}

BandLimits DocumentCommands::bandLimits() const {
    return m_document->typeAndBand().limits;
}

void DocumentCommands::editRows(const QString& text, int nextRow,
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
        MessageBox::show(m_window->window(),
                         tr("Channel 16 is in use: there is no room to insert a channel."));
        break;
    case RowEdit::OutOfRange:
        break;
    }
}

void DocumentCommands::importChannels() {
    if (!commitPendingEdit()) {
        return;
    }
    const QString path =
        FileDialog::getOpenFileName(m_window->window(), tr("Channel lists (*.csv);;All files (*)"));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(channelcsv::kMaxFileBytes)) {
        const QString reason = file.isOpen() ? tr("It is too large for a channel list.")
                                             : SystemReason::text(file.errorString());
        MessageBox::show(m_window->window(),
                         tr("Cannot open the file %1.\n%2").arg(QDir::toNativeSeparators(path), reason));
        return;
    }
    const QByteArray text = file.readAll();
    const MemoryImage before = m_document->image();
    const channelcsv::ImportResult result =
        channelcsv::importCsv(std::string_view(text.constData(), static_cast<size_t>(text.size())), before,
                              bandLimits(), m_context.language());
    ImportPreviewDlg preview(before, result, m_context.language(), m_window->window());
    if (preview.exec() != QDialog::Accepted || !result.ok()) {
        return;
    }
    m_document->applyChange(tr("Import Channels"), result.image);
}

void DocumentCommands::exportChannels() {
    if (!commitPendingEdit()) {
        return;
    }
    const QString path =
        FileDialog::getSaveFileName(m_window->window(), QStringLiteral("channels.csv"),
                                    tr("Channel lists (*.csv);;All files (*)"), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    std::string error;
    const std::string csv = channelcsv::exportCsv(m_document->image());
    if (!platform::writeFileAtomically(QFile::encodeName(path).toStdString(), csv, error)) {
        MessageBox::show(m_window->window(),
                         tr("Cannot save the file %1.\n%2")
                             .arg(QDir::toNativeSeparators(path), SystemReason::text(error)));
        return;
    }
    // One line per channel below the header line.
    const int channels = static_cast<int>(std::count(csv.begin(), csv.end(), '\n')) - 1;
    if (auto* mainWindow = qobject_cast<QMainWindow*>(m_window->window())) {
        mainWindow->statusBar()->showMessage(
            tr("%n channel(s) exported to %1", nullptr, channels).arg(QDir::toNativeSeparators(path)));
    }
}

CellRange DocumentCommands::chosenCells() const {
    return m_grid->chosenCells();
}

// Spreadsheets take the tab-separated text; whole channels also go as a channel list, which
// other radio programming tools and this program's own import read.
void DocumentCommands::copyToClipboard(const CellRange& cells) {
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdString(copyCells(m_model->table(), cells)));
    if (cells.isWholeRows()) {
        mime->setData(QStringLiteral("text/csv"), QByteArray::fromStdString(channelcsv::exportCsv(
                                                      m_document->image(), cells.top, cells.bottom)));
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

void DocumentCommands::copy() {
    if (commitPendingEdit()) {
        copyToClipboard(chosenCells());
    }
}

void DocumentCommands::cut() {
    if (commitPendingEdit()) {
        const CellRange cells = chosenCells();
        copyToClipboard(cells);
        clearCellRange(tr("Cut"), cells);
    }
}

void DocumentCommands::clear() {
    if (commitPendingEdit()) {
        const CellRange cells = chosenCells();
        clearCellRange(cells.isWholeRows() ? tr("Clear Channels") : tr("Clear Cells"), cells);
    }
}

void DocumentCommands::clearCellRange(const QString& text, const CellRange& cells) {
    ChannelTable table = m_model->table();
    if (clearCells(table, cells, bandLimits())) {
        m_document->applyChange(text, table.image());
    }
}

void DocumentCommands::selectAll() {
    m_grid->selectAll();
}

QString DocumentCommands::refusalText(const PasteRefusal& refusal) const {
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
void DocumentCommands::applyCells(const QString& text, const QString& refusedText,
                                  const std::function<PasteResult(ChannelTable&, PasteMode)>& edit) {
    ChannelTable table = m_model->table();
    PasteResult result = edit(table, PasteMode::AllOrNothing);
    if (!result.refused.empty()) {
        QStringList lines;
        for (const PasteRefusal& refusal : result.refused) {
            lines << refusalText(refusal);
        }
        const QString question = refusedText.arg(lines.join(QLatin1Char('\n')));
        if (!result.someAccepted()) {
            MessageBox::show(m_window->window(), question);
            return;
        }
        if (MessageBox::show(m_window->window(),
                             question + QStringLiteral("\n\n") + tr("Take the other cells?"), QString(),
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
            return;
        }
        table = m_model->table();
        result = edit(table, PasteMode::AcceptedPart);
    }
    if (result.applied) {
        m_document->applyChange(text, table.image());
    }
}

void DocumentCommands::paste() {
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

void DocumentCommands::pasteList(const std::string& list, int row) {
    MemoryImage image = m_document->image();
    const ListPasteResult result = pasteChannelList(image, row, list, bandLimits(), m_context.language());
    if (!result.problems.empty()) {
        QStringList lines;
        for (const channelcsv::Problem& problem : result.problems) {
            lines << tr("Line %1: %2").arg(problem.line).arg(QString::fromStdString(problem.reason));
        }
        MessageBox::show(m_window->window(),
                         tr("Nothing was pasted; these rows of the channel list cannot be taken:\n%1")
                             .arg(lines.join(QLatin1Char('\n'))));
        return;
    }
    if (result.channels > 0) {
        m_document->applyChange(tr("Paste"), image);
    }
}

void DocumentCommands::fillDown() {
    if (commitPendingEdit()) {
        const CellRange cells = chosenCells();
        applyCells(tr("Fill Down"), tr("Nothing was filled in; these cells cannot be taken:\n%1"),
                   [&](ChannelTable& table, PasteMode mode) {
                       return ::fillDown(table, cells, bandLimits(), mode);
                   });
    }
}

void DocumentCommands::insertChannel() {
    editRows(tr("Insert Channel %1"), m_grid->row(), ::insertChannel);
}

void DocumentCommands::deleteChannel() {
    editRows(tr("Delete Channel %1"), m_grid->row(), ::deleteChannel);
}

void DocumentCommands::moveChannelUp() {
    editRows(tr("Move Channel %1 Up"), m_grid->row() - 1,
             [](MemoryImage& image, int channel) { return moveChannel(image, channel, -1); });
}

void DocumentCommands::moveChannelDown() {
    editRows(tr("Move Channel %1 Down"), m_grid->row() + 1,
             [](MemoryImage& image, int channel) { return moveChannel(image, channel, 1); });
}

bool DocumentCommands::printReport(QPrinter& printer) {
    const std::string owner =
        m_context.settings().languageText(m_context.languageSection(), LanguageText::CopyrightsOwner);
    return paintReport(printer, m_document->image(), ChannelCodec::decodeAll(m_document->image()),
                       m_context.language(), owner);
}

void DocumentCommands::print(QPrinter& printer) {
    commitPendingEdit();
    QPrintDialog dialog(&printer, m_window->window());
    if (dialog.exec() == QDialog::Accepted && !printReport(printer)) {
        MessageBox::show(m_window->window(), m_context.codeText(QT_TRANSLATE_NOOP(
                                                 "CodeText", "The report could not be printed.")));
    }
}

void DocumentCommands::printPreview(QPrinter& printer) {
    commitPendingEdit();
    QPrintPreviewDialog dialog(&printer, m_window->window());
    dialog.setWindowTitle(tr("Print Preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printReport(*p); });
    dialog.exec();
}

void DocumentCommands::productInformation() {
    // The dialog checks the channels against the new band: a cell still being typed counts.
    if (!commitPendingEdit()) {
        return;
    }
    ProductInfoDlg dlg(m_context.settings(), radiomodel::remembered(m_context.userSettings()),
                       m_document->image(), m_context.language(), m_window->window());
    if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    // The new band and the channels it cleared are one step.
    m_document->applyChange(tr("Product Information"), dlg.image());
    m_document->applyTypeAndBand(dlg.applied());
    // The choice is remembered as far as the per-user store takes it; the document has it anyway.
    radiomodel::remember(dlg.choice(), m_context.userSettings());
}

void DocumentCommands::optionalFeatures() {
    OptionalFeaturesDlg dlg(m_document->image(), m_context.language(), m_window->window());
    if (dlg.exec() == QDialog::Accepted) {
        m_document->applyChange(tr("Optional Features"), dlg.image());
    }
}

void DocumentCommands::channelPlans() {
    if (!commitPendingEdit()) {
        return;
    }
    ChannelPlansDlg dlg(m_context.channelPlans(), m_document->image(), bandLimits(), m_context.language(),
                        m_window->window());
    if (dlg.exec() == QDialog::Accepted) {
        m_document->applyChange(tr("Apply Channel Plan"), dlg.image());
    }
}

void DocumentCommands::checkChannels() {
    if (!commitPendingEdit()) {
        return;
    }
    const std::vector<Finding> findings =
        channelcheck::check(m_document->image(), m_context.channelPlans().plans, m_context.language());
    CheckChannelsDlg dlg(findings, m_context.language(), m_window->window());
    if (dlg.exec() == QDialog::Accepted && dlg.chosen()) {
        m_grid->setRowCol(dlg.chosen()->channel, CheckChannelsDlg::column(dlg.chosen()->field));
        m_grid->setFocus();
    }
}
