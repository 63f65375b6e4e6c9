#include "radio/TransferController.h"

#include "app/AppContext.h"
#include "app/MessageBox.h"
#include "app/Resource.h"
#include "app/SystemReason.h"
#include "channels/ChannelEdit.h"
#include "check/ChannelCheck.h"
#include "compare/ImageCompare.h"
#include "dialogs/ChangesDlg.h"
#include "history/RadioHistory.h"
#include "radio/ComSetupDlg.h"
#include "radio/ProcessDlg.h"
#include "radio/RadioTransfer.h"
#include "text/CoreTexts.h"

#include <QFile>
#include <QMainWindow>
#include <QStatusBar>

#include <algorithm>
#include <utility>

TransferController::TransferController(AppContext& context, QMainWindow* window)
    : QObject(window), m_context(context), m_window(window) {
    // Modeless: the main window stays usable while it is open. The transfer starts from the
    // event loop, after the click that asked for it has been handled.
    m_processDlg = new ProcessDlg(window);
    m_processDlg->setWindowFlags(Qt::Dialog);
    connect(m_processDlg, &ProcessDlg::transferRequested, this, &TransferController::onRadioTransfer,
            Qt::QueuedConnection);
    m_transfer = new RadioTransfer(m_context, window);
    connect(m_transfer, &RadioTransfer::rowDone, m_processDlg, &ProcessDlg::stepIt);
    connect(m_transfer, &RadioTransfer::stageChanged, this, [this](JobStage stage) {
        m_processDlg->setStage(QString::fromUtf8(jobStageText(stage, m_context.language())));
    });
    connect(m_transfer, &RadioTransfer::finished, this, &TransferController::onTransferFinished);
    connect(m_processDlg, &ProcessDlg::cancelRequested, m_transfer, &RadioTransfer::cancel);
}

// The transfer stops and its thread ends before the line is given free.
TransferController::~TransferController() {
    delete m_transfer;
    m_busy.reset();
}

void TransferController::read(ProgramDoc* doc) {
    openProcessDialog(doc, Mode::Read);
}

void TransferController::write(ProgramDoc* doc) {
    if (m_context.isTransferRunning() || m_processDlg->isVisible() || confirmWrite(*doc)) {
        openProcessDialog(doc, Mode::Write);
    }
}

void TransferController::compareWithRadio(ProgramDoc* doc) {
    openProcessDialog(doc, Mode::Compare);
}

// A write replaces all the radio holds: channels outside the document's band, or no channel at
// all, are named first, and Enter keeps the radio as it is.
bool TransferController::confirmWrite(const ProgramDoc& doc) {
    const MemoryImage& image = doc.image();
    const Language language = m_context.language();
    const BandLimits band = doc.typeAndBand().limits;
    QStringList reasons;
    if (const std::vector<int> outside = channeledit::channelsOutsideBand(image, band); !outside.empty()) {
        reasons << QString::fromStdString(channeledit::outsideBandText(outside, band, language));
    }
    if (channeledit::hasNoChannelInUse(image)) {
        reasons << QString::fromUtf8(coreText(CoreText::NoChannelInUse, language));
    }
    if (reasons.isEmpty()) {
        return true;
    }
    return MessageBox::show(m_window,
                            reasons.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
                                tr("Write to the radio anyway?"),
                            QString(), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Warning,
                            {{QMessageBox::Ok, tr("Write")}}, QMessageBox::Cancel) == QMessageBox::Ok;
}

void TransferController::openProcessDialog(ProgramDoc* doc, Mode mode) {
    if (m_context.isTransferRunning()) {
        return; // one transfer at a time
    }
    if (m_processDlg->isVisible()) {
        // The open dialog keeps its document and direction, so its caption always tells them.
        m_processDlg->raise();
        return;
    }
    m_document = doc;
    m_mode = mode;
    m_processDlg->prepare(mode == Mode::Write
                              ? m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Write Data"))
                              : m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Read Data")));
    m_processDlg->show();
    const QRect screen = m_window->geometry();
    m_processDlg->move(screen.center() - m_processDlg->rect().center());
}

void TransferController::comSetup() {
    const DeviceTree tree(m_context.deviceRoot());
    ComSetupDlg dlg([this, tree] { return RadioTransfer::describePorts(m_context, tree); },
                    [tree] { return findSerialDevices(tree); }, m_context.portNumber(),
                    m_context.programSettings(), m_context.language(), m_window);
    dlg.setAdapterLister([tree] { return findAdaptersWithoutTty(tree); });
    dlg.watchFolders({QFile::decodeName(tree.path("/dev").c_str()),
                      QFile::decodeName(tree.path("/dev/serial/by-id").c_str())});
    if (dlg.exec() == QDialog::Accepted) {
        const SettingsWriteResult kept = m_context.setPortNumber(comPortNumber(dlg.portName().toStdString()));
        if (!kept) {
            MessageBox::show(m_window, tr("%1 is used from now on, but it could not be remembered for the "
                                          "next start.\n%2")
                                           .arg(m_context.portName(), SystemReason::text(kept.detail)));
        }
    }
}

void TransferController::onRadioTransfer() {
    if (m_context.isTransferRunning() || !m_document) {
        // The line is taken, or the document went while the dialog waited.
        m_processDlg->hide();
        m_recovery.reset();
        return;
    }
    // The direction is taken once: the dialog, once open, ignores Read and Write.
    m_transferMode = m_mode;
    MemoryImage image = m_document->image();
    JobOptions options;
    options.backup = m_context.writeChoice(AppContext::WriteChoice::Backup);
    options.verify = m_context.writeChoice(AppContext::WriteChoice::Verify);
    options.changedOnly = m_context.writeChoice(AppContext::WriteChoice::ChangedOnly);
    const std::optional<RecoveryWrite> decided = std::exchange(m_recovery, std::nullopt);
    const RecoveryWrite recovery = decided.value_or(RecoveryWrite());
    options.backup = options.backup && recovery.backup;
    options.force = recovery.force;
    if (!decided && m_context.writeChoice(AppContext::WriteChoice::ShowChanges)) {
        // Asked on the job's thread after the backup; the question itself is this thread's.
        options.confirm = [this, transfer = m_transfer, image](const MemoryImage& backup) {
            return transfer->askFromWorker([this, backup, image] { return confirmChanges(backup, image); });
        };
    }
    m_restoring = recovery.restore.has_value();
    if (m_restoring) {
        // Putting back what the radio held: that image is the backup already.
        image = *recovery.restore;
        options.backup = false;
    }
    m_busy = std::make_unique<ProgramDoc::TransferScope>(*m_document);
    emit runningChanged();
    m_transferPort = m_context.portName();
    m_transferVerifies = options.verify;
    // The job works on a copy: a read replaces the document's image only when complete.
    m_transfer->start(m_transferMode == Mode::Write ? TransferDirection::Write : TransferDirection::Read,
                      m_transferPort, image, options);
}

void TransferController::startWrite(RecoveryWrite write) {
    openProcessDialog(m_document, Mode::Write);
    m_recovery = std::move(write);
    m_processDlg->accept();
}

void TransferController::recover(JobChoice choice, const JobResult& result, const MemoryImage& sent) {
    if (const std::optional<RecoveryStep> step = recoveryStep(choice, result, sent, m_restoring)) {
        startWrite({step->restore, step->backup, false});
    }
}

void TransferController::onTransferFinished(const JobResult& result, const MemoryImage& image) {
    m_busy.reset();
    m_processDlg->hide();
    emit runningChanged();
    if (!result.historyKept && m_context.takeHistoryProblemReport()) {
        MessageBox::show(m_window, tr("The images of this transfer could not be kept in the radio history "
                                      "(%1).\n%2\nThe transfer itself is not affected.")
                                       .arg(QFile::decodeName(m_context.historyFolder().c_str()),
                                            SystemReason::text(result.historyKept.detail)));
    }
    const std::optional<JobChoice> choice = m_transfer->showResult(result, m_transferPort);
    ProgramDoc* doc = m_document;
    if (doc == nullptr) {
        return; // the document went during the transfer: nothing to apply or to write again
    }
    if (!result.ok()) {
        if (choice) {
            recover(*choice, result, image);
        }
        return;
    }
    switch (m_transferMode) {
    case Mode::Read:
        doc->replaceImage(image);
        if (const radiomodel::TypeAndBand& read = doc->typeAndBand(); !read.listed) {
            MessageBox::show(m_window, tr("The radio holds no type and band that Program.ini lists (type %1, "
                                          "band %2). Choose them in Edit > Product Information; until then "
                                          "no frequency can be typed.")
                                           .arg(read.type)
                                           .arg(read.band));
        }
        showStatus(tr("Read from the radio on %1 into the document.").arg(m_transferPort));
        break;
    case Mode::Compare:
        showStatus(
            tr("Read from the radio on %1 to compare; the document is unchanged.").arg(m_transferPort));
        emit transferDone(doc);
        m_readId = result.readId;
        showComparison(doc, image, m_transferPort, true);
        return;
    case Mode::Write:
        if (result.alreadyHeld) {
            showStatus(
                tr("Nothing was written: the radio on %1 already holds this document.").arg(m_transferPort));
            if (MessageBox::show(
                    m_window, tr("The radio already holds these channels and options; nothing was written."),
                    QString(), QMessageBox::Ok | QMessageBox::Ignore, QMessageBox::Information,
                    {{QMessageBox::Ignore, tr("Write Anyway")}}, QMessageBox::Ok) == QMessageBox::Ignore) {
                startWrite({std::nullopt, true, true});
            }
            return;
        }
        if (result.declined) {
            showStatus(tr("Nothing was written to the radio on %1.").arg(m_transferPort));
            return;
        }
        if (result.fellBack) {
            showStatus(
                m_transferVerifies
                    ? tr("Written to the radio on %1 and verified: the changed rows could not be written "
                         "alone, so the whole memory was.")
                          .arg(m_transferPort)
                    : tr("Written to the radio on %1: the changed rows could not be written alone, so "
                         "the whole memory was.")
                          .arg(m_transferPort));
        } else {
            showStatus(m_transferVerifies ? tr("Written to the radio on %1 and verified.").arg(m_transferPort)
                                          : tr("Written to the radio on %1.").arg(m_transferPort));
        }
        break;
    }
    emit transferDone(doc);
}

bool TransferController::confirmChanges(const MemoryImage& backup, const MemoryImage& image) {
    const std::vector<ImageDifference> differences = compareImages(backup, image, m_context.language());
    QString text =
        tr("Writing changes these channels and options in the radio on %1. Write?").arg(m_transferPort);
    if (std::any_of(differences.begin(), differences.end(), [](const ImageDifference& difference) {
            return difference.kind == ImageDifference::Kind::TypeAndBand;
        })) {
        text += QStringLiteral("\n\n") +
                tr("The radio's type or band differs from this document's: the document may be meant for "
                   "another model. Write only if this is the radio you mean.");
    }
    ChangesDlg dialog(
        id::kShowChangesBeforeWriting, m_context.codeText(QT_TRANSLATE_NOOP("CodeText", "Write Data")), text,
        tr("In the radio"), tr("After the write"), differences, {ChangesDlg::Answer::Write}, m_window);
    // What the check finds is advice: Write still writes.
    QStringList findings;
    for (const Finding& finding :
         channelcheck::check(image, m_context.channelPlans().plans, m_context.language())) {
        findings << QString::fromStdString(finding.text);
    }
    dialog.setFindings(findings);
    return dialog.exec() == QDialog::Accepted && dialog.answer() == ChangesDlg::Answer::Write;
}

void TransferController::showComparison(ProgramDoc* doc, const MemoryImage& other, const QString& otherName,
                                        bool fromRadio) {
    const std::vector<ImageDifference> differences =
        compareImages(other, doc->image(), m_context.language(), !fromRadio);
    if (differences.empty()) {
        MessageBox::show(
            m_window,
            fromRadio
                ? tr("The radio on %1 holds the same channels and options as this document.").arg(otherName)
                : tr("%1 holds the same image as this document.").arg(otherName),
            QString(), QMessageBox::Ok, QMessageBox::Information);
        return;
    }
    QList<ChangesDlg::Answer> answers;
    if (fromRadio) {
        answers << ChangesDlg::Answer::OpenRadio;
    }
    answers << ChangesDlg::Answer::WriteDocument;
    ChangesDlg dialog(fromRadio ? id::kCompareWithRadio : id::kCompareWithFile,
                      fromRadio ? tr("Compare with Radio") : tr("Compare with File"),
                      fromRadio ? tr("Where the radio on %1 differs from this document:").arg(otherName)
                                : tr("Where %1 differs from this document:").arg(otherName),
                      fromRadio ? tr("In the radio") : tr("In the file"), tr("In the document"), differences,
                      answers, m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPointer<ProgramDoc> compared = doc;
    switch (dialog.answer()) {
    case ChangesDlg::Answer::OpenRadio: {
        // Named as the radio history names what was read, when it kept it.
        QString title = tr("Radio");
        for (const HistoryEntry& entry : RadioHistory(m_context.historyFolder()).entries()) {
            if (!m_readId.empty() && entry.id == m_readId) {
                title = QStringLiteral("%1 %2").arg(QString::fromStdString(entry.time),
                                                    QString::fromUtf8(historyKindName(entry.kind)));
            }
        }
        emit openImageRequested(other, title);
        return;
    }
    case ChangesDlg::Answer::WriteDocument:
        if (compared && !m_context.isTransferRunning() && !m_processDlg->isVisible() &&
            confirmWrite(*compared)) {
            m_document = compared;
            startWrite({std::nullopt, true, false});
        }
        return;
    case ChangesDlg::Answer::Write:
    case ChangesDlg::Answer::None:
        return;
    }
}

void TransferController::showStatus(const QString& text) {
    m_window->statusBar()->showMessage(text);
}
