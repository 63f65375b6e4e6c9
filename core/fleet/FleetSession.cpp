#include "fleet/FleetSession.h"

#include "channels/ChannelEdit.h"
#include "compare/ImageCompare.h"
#include "platform/LocalTime.h"
#include "platform/PosixSerialPort.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>

namespace {

std::string localStamp(const char* format) {
    std::tm t{};
    if (!platform::localTime(std::time(nullptr), t)) {
        return {};
    }
    char text[32] = {};
    std::strftime(text, sizeof text, format, &t);
    return text;
}

// The identification as a person reads it: printable ASCII as it is, anything else in hex.
std::string identityText(const std::string& bytes) {
    bool printable = true;
    for (const char c : bytes) {
        printable = printable && c >= 0x20 && c <= 0x7E;
    }
    if (printable) {
        return bytes;
    }
    std::string text;
    for (const char c : bytes) {
        char hex[4] = {};
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        text += (text.empty() ? "" : " ") + std::string(hex);
    }
    return text;
}

// A job's paragraphs as one line.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return text;
}

// Passes a port's job to the session's observer; a fleet never waits for the user to retry.
class PortObserver : public IJobObserver {
public:
    PortObserver(IFleetObserver& observer, size_t portIndex) : m_observer(observer), m_index(portIndex) {}
    void onStage(JobStage stage) override { m_observer.onStage(m_index, stage); }
    void onProgress(int row) override { m_observer.onProgress(m_index, row); }
    bool pump() override { return m_observer.cancelled(); }
    bool retryAfterCommunicationError() override { return false; }

private:
    IFleetObserver& m_observer;
    size_t m_index;
};

} // namespace

// What the ports of one round learn from each other. A radio is numbered after the radios on the
// ports before it, so a port waits for those to tell whether a radio answered there; each tells
// once its radio has been read, or when its job ends.
struct FleetRound {
    std::mutex mutex;
    std::condition_variable told;
    std::vector<int> answered; // -1 not yet told, 0 no radio, 1 a radio
    std::vector<std::string> identities;
    int firstNumber = 1;
    std::string firstIdentity; // from an earlier round; "" when this round has the first radio

    explicit FleetRound(size_t ports) : answered(ports, -1), identities(ports) {}

    void tell(size_t index, bool radio, const std::string& identity) {
        const std::lock_guard<std::mutex> lock(mutex);
        if (answered[index] < 0) {
            answered[index] = radio ? 1 : 0;
            identities[index] = identity;
            told.notify_all();
        }
    }
    void waitForPortsBefore(size_t index, std::unique_lock<std::mutex>& lock) {
        told.wait(lock, [&] {
            for (size_t j = 0; j < index; ++j) {
                if (answered[j] < 0) {
                    return false;
                }
            }
            return true;
        });
    }
    int number(size_t index) {
        std::unique_lock<std::mutex> lock(mutex);
        waitForPortsBefore(index, lock);
        int n = firstNumber;
        for (size_t j = 0; j < index; ++j) {
            n += answered[j] == 1 ? 1 : 0;
        }
        return n;
    }
    // The identification the radio on port `index` is held to: the session's first radio's.
    std::string reference(size_t index, const std::string& own) {
        if (!firstIdentity.empty()) {
            return firstIdentity;
        }
        std::unique_lock<std::mutex> lock(mutex);
        waitForPortsBefore(index, lock);
        for (size_t j = 0; j < index; ++j) {
            if (answered[j] == 1 && !identities[j].empty()) {
                return identities[j];
            }
        }
        return own;
    }
};

FleetSession::FleetSession(const MemoryImage& master, FleetOptions options, Language language,
                           RadioHistory* history)
    : m_master(master), m_options(options), m_language(language), m_history(history),
      m_stamp(localStamp("%Y%m%d-%H%M%S")) {}

std::string FleetSession::startProblem() const {
    if (channeledit::hasNoChannelInUse(m_master)) {
        return coreText(CoreText::NoChannelInUse, m_language);
    }
    return {};
}

std::vector<FleetRecord> FleetSession::runRound(const std::vector<FleetPort>& ports,
                                                IFleetObserver& observer) {
    std::vector<std::unique_ptr<platform::PosixSerialPort>> owned;
    std::vector<ISerialPort*> lines;
    for (size_t i = 0; i < ports.size(); ++i) {
        owned.push_back(std::make_unique<platform::PosixSerialPort>());
        lines.push_back(owned.back().get());
    }
    return runRound(ports, lines, observer);
}

std::vector<FleetRecord> FleetSession::runRound(const std::vector<FleetPort>& ports,
                                                const std::vector<ISerialPort*>& lines,
                                                IFleetObserver& observer) {
    if (ports.empty() || lines.size() != ports.size()) {
        return {};
    }
    ++m_rounds;
    FleetRound round(ports.size());
    round.firstNumber = m_radios + 1;
    round.firstIdentity = m_firstIdentity;
    std::vector<FleetRecord> records(ports.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < ports.size(); ++i) {
        threads.emplace_back([&, i] { records[i] = runRadio(ports[i], *lines[i], i, round, observer); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (size_t i = 0; i < records.size(); ++i) {
        records[i].round = m_rounds;
        if (round.answered[i] == 1) {
            records[i].radio = round.number(i);
            m_radios = std::max(m_radios, records[i].radio);
            if (m_firstIdentity.empty()) {
                m_firstIdentity = round.identities[i];
            }
        }
        m_records.push_back(records[i]);
    }
    return records;
}

FleetRecord FleetSession::runRadio(const FleetPort& port, ISerialPort& line, size_t portIndex,
                                   FleetRound& round, IFleetObserver& observer) {
    const auto start = std::chrono::steady_clock::now();
    FleetRecord record;
    record.port = port;
    record.started = localStamp("%Y-%m-%d %H:%M:%S");
    PortObserver jobObserver(observer, portIndex);
    RadioJob job(line, jobObserver, m_history);
    // The history entries carry the session and the radio's number beside the device; the radio
    // has answered by the time the first one is kept.
    std::string historyPort;
    job.setHistoryPort([&] {
        if (historyPort.empty()) {
            round.tell(portIndex, true, job.identity());
            historyPort = port.device + " (fleet " + m_stamp + ", radio " +
                          std::to_string(round.number(portIndex)) + ")";
        }
        return historyPort;
    });
    std::string reference;
    const auto sameRadio = [&] {
        round.tell(portIndex, true, job.identity());
        reference = round.reference(portIndex, job.identity());
        return m_options.allowOtherIdentity || reference == job.identity();
    };
    const auto otherIdentity = [&] {
        record.outcome = FleetOutcome::OtherIdentity;
        record.stage = JobStage::Write;
        record.reason = coreText(CoreText::FleetIdentityDiffers, m_language, identityText(job.identity()),
                                 identityText(reference));
    };
    const auto failed = [&](const JobResult& r) {
        record.outcome = FleetOutcome::Failed;
        record.stage = r.stage;
        record.reason =
            oneLine(r.cancelled() ? jobCancelledText(r, m_language) : jobFailureText(r, m_language));
    };
    const auto noRadio = [](const JobResult& r, JobStage first) {
        return r.stage == first && r.transfer.status == TransferStatus::CommunicationError &&
               r.transfer.diagnosis == Diagnosis::NoAnswer;
    };

    JobResult first;
    if (m_options.mode == FleetMode::Write) {
        JobOptions options;
        options.verify = m_options.verify;
        options.changedOnly = m_options.changedOnly;
        bool refused = false;
        options.confirm = [&](const MemoryImage&) {
            refused = !sameRadio();
            return !refused;
        };
        first = job.write(port.device, m_master, options);
        record.backupId = first.backupId;
        if (first.backup) {
            record.changes = static_cast<int>(compareImages(*first.backup, m_master, m_language).size());
        }
        if (noRadio(first, JobStage::Backup)) {
            record.outcome = FleetOutcome::NoRadio;
        } else if (refused) {
            otherIdentity();
        } else if (first.alreadyHeld) {
            record.outcome = FleetOutcome::UpToDate;
            record.changes = 0;
        } else if (first.ok()) {
            record.outcome = FleetOutcome::Written;
        } else {
            failed(first);
        }
    } else {
        MemoryImage radio = m_master;
        first = job.read(port.device, radio);
        record.backupId = first.readId;
        if (noRadio(first, JobStage::Read)) {
            record.outcome = FleetOutcome::NoRadio;
        } else if (!first.ok()) {
            failed(first);
        } else {
            for (const ImageDifference& d : compareImages(m_master, radio, m_language)) {
                record.drift.push_back(differenceLine(d, m_language));
            }
            record.changes = static_cast<int>(record.drift.size());
            record.outcome = record.drift.empty() ? FleetOutcome::InStep : FleetOutcome::Drifted;
            if (!record.drift.empty() && m_options.fix) {
                if (!sameRadio()) {
                    otherIdentity();
                } else {
                    // What was just read is the backup; the write needs no second one.
                    JobOptions options;
                    options.backup = false;
                    options.verify = m_options.verify;
                    const JobResult fixed = job.write(port.device, m_master, options);
                    if (!fixed.historyKept) {
                        record.historyProblem = fixed.historyKept.detail;
                    }
                    if (fixed.ok()) {
                        record.outcome = FleetOutcome::Written;
                    } else {
                        failed(fixed);
                    }
                }
            }
        }
    }
    if (!first.historyKept) { // the first problem is the one reported
        record.historyProblem = first.historyKept.detail;
    }
    record.identity = identityText(first.identity);
    const bool answered =
        record.outcome != FleetOutcome::NoRadio && first.transfer.status != TransferStatus::PortOpenFailed;
    round.tell(portIndex, answered, first.identity);
    record.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return record;
}

const char* fleetOutcomeWord(FleetOutcome outcome) {
    switch (outcome) {
    case FleetOutcome::Written:
        return "written";
    case FleetOutcome::UpToDate:
        return "up-to-date";
    case FleetOutcome::Drifted:
        return "drifted";
    case FleetOutcome::InStep:
        return "in-step";
    case FleetOutcome::NoRadio:
        return "no-radio";
    case FleetOutcome::Failed:
        break;
    case FleetOutcome::OtherIdentity:
        return "other-identity";
    }
    return "failed";
}

std::string fleetOutcomeText(const FleetRecord& record, Language language) {
    const std::string count = std::to_string(record.changes);
    switch (record.outcome) {
    case FleetOutcome::Written:
        return record.changes == 1 ? coreText(CoreText::FleetWrittenOne, language)
                                   : coreText(CoreText::FleetWritten, language, count);
    case FleetOutcome::UpToDate:
        return coreText(CoreText::FleetUpToDate, language);
    case FleetOutcome::Drifted:
        return record.changes == 1 ? coreText(CoreText::FleetDriftedOne, language)
                                   : coreText(CoreText::FleetDrifted, language, count);
    case FleetOutcome::InStep:
        return coreText(CoreText::FleetInStep, language);
    case FleetOutcome::NoRadio:
        return coreText(CoreText::FleetNoRadio, language);
    case FleetOutcome::OtherIdentity:
        return coreText(CoreText::FleetOtherIdentity, language, record.reason);
    case FleetOutcome::Failed:
        break;
    }
    switch (record.stage) {
    case JobStage::Backup:
        return coreText(CoreText::FleetFailedBackup, language, record.reason);
    case JobStage::Write:
        return coreText(CoreText::FleetFailedWrite, language, record.reason);
    case JobStage::Verify:
        return coreText(CoreText::FleetFailedVerify, language, record.reason);
    case JobStage::Read:
        break;
    }
    return coreText(CoreText::FleetFailedRead, language, record.reason);
}

namespace {

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace

std::string fleetCsvHeader() {
    return "radio,round,port,device,started,identity,outcome,changes,backup_id,seconds";
}

std::string fleetCsvLine(const FleetRecord& record) {
    // In tenths by hand: a program that set the user's locale would print a decimal comma.
    const long long tenths = std::llround(std::max(0.0, record.seconds) * 10);
    const std::string seconds = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    const std::string fields[] = {std::to_string(record.radio),
                                  std::to_string(record.round),
                                  record.port.name,
                                  record.port.device,
                                  record.started,
                                  record.identity,
                                  fleetOutcomeWord(record.outcome),
                                  std::to_string(record.changes),
                                  record.backupId,
                                  seconds};
    std::string line = csvField(fields[0]);
    for (size_t i = 1; i < std::size(fields); ++i) {
        line += "," + csvField(fields[i]);
    }
    return line;
}

bool fleetSucceeded(const std::vector<FleetRecord>& records, const FleetOptions& /*options*/) {
    for (const FleetRecord& record : records) {
        switch (record.outcome) {
        case FleetOutcome::Written:
        case FleetOutcome::UpToDate:
        case FleetOutcome::NoRadio:
            break;
        case FleetOutcome::InStep: // only a check finds a radio in step
            break;
        case FleetOutcome::Drifted:
        case FleetOutcome::Failed:
        case FleetOutcome::OtherIdentity:
            return false;
        }
    }
    return true;
}
