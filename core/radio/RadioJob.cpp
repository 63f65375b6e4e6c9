#include "radio/RadioJob.h"

#include "image/ImagePlaces.h"
#include "text/CoreTexts.h"

#include <algorithm>

int firstDifferingRow(const MemoryImage& a, const MemoryImage& b) {
    for (size_t row = 0; row < image::kTransferRows; ++row) {
        const size_t from = row * image::kRowSize;
        if (!std::equal(a.data() + from, a.data() + from + image::kRowSize, b.data() + from)) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

namespace {

// Closes the job's port on every way out of the job.
struct JobPortHold {
    ISerialPort& port;
    ~JobPortHold() {
        if (port.isOpen()) {
            port.close();
        }
    }
};

} // namespace

TransferResult RadioJob::runStage(JobStage stage, TransferDirection direction, const std::string& devicePath,
                                  MemoryImage& image, JobResult& job, const std::vector<uint16_t>& frames) {
    m_observer.onStage(stage);
    // The first stage opens the port; the later ones find it open and keep it.
    if (!m_port.isOpen()) {
        TransferResult result;
        result.portError = m_port.open(devicePath);
        if (!result.portError) {
            result.status = TransferStatus::PortOpenFailed;
            return result;
        }
    }
    CloneSession session(m_port, m_observer);
    if (m_answersLate) {
        session.setAnswersLate();
    }
    const TransferResult result = session.run(direction, devicePath, image, frames);
    if (m_identity.empty()) {
        m_identity = session.identity();
        job.identity = m_identity;
    }
    m_answersLate = m_answersLate || (result.ok() && !session.answeredEarly());
    return result;
}

std::string RadioJob::keep(HistoryKind kind, const MemoryImage& image, const std::string& devicePath,
                           JobResult& result) {
    if (!m_history) {
        return {};
    }
    HistoryEntry entry;
    const HistoryResult kept =
        m_history->add(kind, image, m_historyPort ? m_historyPort() : devicePath, &entry);
    if (!kept) {
        if (result.historyKept) {
            result.historyKept = kept; // the first problem is the one reported
        }
        return {};
    }
    return entry.id;
}

JobResult RadioJob::read(const std::string& devicePath, MemoryImage& image) {
    const JobPortHold hold{m_port};
    m_answersLate = false;
    m_identity.clear();
    JobResult result;
    result.stage = JobStage::Read;
    result.transfer = runStage(JobStage::Read, TransferDirection::Read, devicePath, image, result);
    if (result.transfer.ok()) {
        result.readId = keep(HistoryKind::Read, image, devicePath, result);
    }
    return result;
}

namespace {

// The write frames in which rows 0 to 50 of the two images differ, in ascending order.
std::vector<uint16_t> differingFrames(const MemoryImage& a, const MemoryImage& b) {
    std::vector<uint16_t> frames;
    for (const uint16_t address : CloneSession::allFrames()) {
        if (!std::equal(a.data() + address, a.data() + address + CloneSession::kFrameLength,
                        b.data() + address)) {
            frames.push_back(address);
        }
    }
    return frames;
}

} // namespace

JobResult RadioJob::write(const std::string& devicePath, const MemoryImage& image,
                          const JobOptions& options) {
    const JobPortHold hold{m_port};
    m_answersLate = false;
    m_identity.clear();
    JobResult result;
    std::vector<uint16_t> frames = CloneSession::allFrames();
    // Rows 51 to 63 never travel; the backup takes them from the image being written, so that
    // writing the backup back restores exactly what the radio held.
    MemoryImage before = image;
    if (options.backup) {
        result.stage = JobStage::Backup;
        result.transfer = runStage(JobStage::Backup, TransferDirection::Read, devicePath, before, result);
        if (!result.transfer.ok()) {
            return result;
        }
        result.backup = before;
        result.backupId = keep(HistoryKind::BeforeWrite, before, devicePath, result);
        if (!options.force && firstDifferingRow(before, image) < 0) {
            result.alreadyHeld = true;
            return result;
        }
        if (options.confirm && !options.confirm(before)) {
            result.declined = true;
            return result;
        }
        if (options.changedOnly && firstDifferingRow(before, image) >= 0) {
            frames = differingFrames(before, image);
        }
    }

    if (frames.size() < static_cast<size_t>(CloneSession::kFrameCount) &&
        !writeStages(devicePath, image, options, frames, before, result)) {
        return result;
    }
    result.fellBack = frames.size() < static_cast<size_t>(CloneSession::kFrameCount);
    writeStages(devicePath, image, options, CloneSession::allFrames(), image, result);
    return result;
}

bool RadioJob::writeStages(const std::string& devicePath, const MemoryImage& image, const JobOptions& options,
                           const std::vector<uint16_t>& frames, MemoryImage readBack, JobResult& result) {
    const bool whole = frames.size() == static_cast<size_t>(CloneSession::kFrameCount);
    MemoryImage sent = image; // the session takes a mutable image; a write never changes it
    result.stage = JobStage::Write;
    result.transfer = runStage(JobStage::Write, TransferDirection::Write, devicePath, sent, result, frames);
    if (!result.transfer.ok()) {
        if (!whole && result.transfer.status == TransferStatus::FrameFailed) {
            return true; // the radio refused a frame out of order
        }
        // Only a session that got past the handshake can have changed the radio; a partial one
        // has changed it in any case once a frame was sent.
        result.radioMayBeHalfWritten = result.transfer.status == TransferStatus::FrameFailed ||
                                       result.transfer.rowsDone > 0 || result.fellBack;
        return false;
    }
    result.framesWritten = static_cast<int>(frames.size());
    keep(HistoryKind::Written, image, devicePath, result);

    if (options.verify) {
        result.stage = JobStage::Verify;
        result.transfer =
            runStage(JobStage::Verify, TransferDirection::Read, devicePath, readBack, result, frames);
        if (result.transfer.ok()) {
            const int row = firstDifferingRow(readBack, image);
            if (row >= 0 && !whole) {
                return true;
            }
            result.mismatchRow = row;
            result.radioMayBeHalfWritten = result.mismatchRow >= 0;
            if (result.mismatchRow >= 0) {
                // The row holds a differing byte: the first one names the place.
                size_t at = static_cast<size_t>(result.mismatchRow) * image::kRowSize;
                while (readBack.byte(at) == image.byte(at)) {
                    ++at;
                }
                result.mismatchOffset = at;
                result.mismatchBits = static_cast<uint8_t>(readBack.byte(at) ^ image.byte(at));
            }
        }
    }
    return false;
}

std::vector<JobChoice> jobChoices(const JobResult& result) {
    if (result.ok()) {
        return {};
    }
    if (result.radioMayBeHalfWritten) {
        if (result.backup) {
            return {JobChoice::WriteAgain, JobChoice::RestoreBackup};
        }
        return {JobChoice::WriteAgain};
    }
    const TransferStatus status = result.transfer.status;
    if (result.stage == JobStage::Backup &&
        (status == TransferStatus::CommunicationError || status == TransferStatus::FrameFailed)) {
        return {JobChoice::WriteWithoutBackup};
    }
    return {};
}

std::optional<RecoveryStep> recoveryStep(JobChoice choice, const JobResult& failed, const MemoryImage& sent,
                                         bool sentWasRestore) {
    const std::vector<JobChoice> offered = jobChoices(failed);
    if (std::find(offered.begin(), offered.end(), choice) == offered.end()) {
        return std::nullopt;
    }
    switch (choice) {
    case JobChoice::WriteAgain:
        return sentWasRestore ? RecoveryStep{sent, false} : RecoveryStep{std::nullopt, true};
    case JobChoice::RestoreBackup:
        return RecoveryStep{failed.backup, false};
    case JobChoice::WriteWithoutBackup:
        return RecoveryStep{std::nullopt, false};
    }
    return std::nullopt;
}

JobNotice jobNotice(const JobResult& result, Language language) {
    JobNotice notice;
    const TransferResult& transfer = result.transfer;
    if (result.ok()) {
        return notice;
    }
    if (transfer.status == TransferStatus::WrongRadio) {
        notice.shape = JobNotice::Shape::WrongRadio;
        notice.text = transferMessageText(transfer.status, language);
        notice.caption = wrongRadioCaption(language);
        return notice;
    }
    // Cancel, during the frames or at the Retry/Cancel question, needs no message unless the radio
    // may have been left half-written, or was written and not verified.
    const bool cancelled = result.mismatchRow < 0 && (transfer.status == TransferStatus::Cancelled ||
                                                      transfer.status == TransferStatus::CommunicationError);
    if (cancelled && result.stage == JobStage::Verify && result.cancelled()) {
        notice.shape = JobNotice::Shape::Information;
        notice.text = jobCancelledText(result, language);
        return notice;
    }
    if (cancelled && !result.radioMayBeHalfWritten) {
        return notice;
    }
    notice.shape = JobNotice::Shape::Warning;
    notice.text = jobFailureText(result, language);
    notice.choices = jobChoices(result);
    notice.radioChanged = result.radioMayBeHalfWritten;
    return notice;
}

const char* jobStageText(JobStage stage, Language language) {
    switch (stage) {
    case JobStage::Backup:
        return coreText(CoreText::StageBackup, language);
    case JobStage::Write:
        return coreText(CoreText::StageWrite, language);
    case JobStage::Verify:
        return coreText(CoreText::StageVerify, language);
    case JobStage::Read:
        break;
    }
    return coreText(CoreText::StageRead, language);
}

const char* jobStageKey(JobStage stage) {
    switch (stage) {
    case JobStage::Backup:
        return "backup";
    case JobStage::Write:
        return "write";
    case JobStage::Verify:
        return "verify";
    case JobStage::Read:
        break;
    }
    return "read";
}

std::string verifyMismatchText(const JobResult& result, Language language) {
    if (result.mismatchRow < 0) {
        return {};
    }
    return coreText(CoreText::VerifyMismatch, language,
                    imagePlaceText(result.mismatchOffset, result.mismatchBits, language));
}

std::string jobCancelledText(const JobResult& result, Language language) {
    if (!result.cancelled()) {
        return {};
    }
    switch (result.stage) {
    case JobStage::Backup:
        return coreText(CoreText::CancelledBackup, language);
    case JobStage::Write:
        if (!result.radioMayBeHalfWritten) {
            return coreText(CoreText::CancelledWriteUnsent, language);
        }
        return coreText(CoreText::CancelledWrite, language) +
               (result.backupId.empty() ? std::string()
                                        : "\n" + coreText(CoreText::BackupKept, language, result.backupId));
    case JobStage::Verify:
        return coreText(CoreText::CancelledVerify, language);
    case JobStage::Read:
        break;
    }
    return {};
}

std::string jobFailureText(const JobResult& result, Language language) {
    if (result.cancelled()) {
        return jobCancelledText(result, language);
    }
    std::vector<std::string> parts;
    if (result.mismatchRow >= 0) {
        parts.push_back(verifyMismatchText(result, language));
    } else {
        const std::string message = transferMessageText(result.transfer.status, language);
        if (!message.empty()) {
            parts.push_back(message);
        }
        if (result.stage == JobStage::Backup && !result.transfer.ok()) {
            parts.push_back(coreText(CoreText::BackupFailed, language));
        }
        const std::string advice = transferAdvice(result.transfer, language);
        if (!advice.empty()) {
            parts.push_back(advice);
        }
    }
    if (result.radioMayBeHalfWritten) {
        parts.push_back(coreText(CoreText::HalfWritten, language));
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : "\n") + part;
    }
    return text;
}
