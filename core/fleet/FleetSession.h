#pragma once

#include "history/RadioHistory.h"
#include "image/MemoryImage.h"
#include "radio/RadioJob.h"
#include "radio/SerialPort.h"
#include "text/CoreTexts.h"

#include <cstddef>
#include <string>
#include <vector>

struct FleetRound;

// Programming a fleet: many radios from one master image, one radio on every port at once.
enum class FleetMode { Write, Check };

struct FleetOptions {
    FleetMode mode = FleetMode::Write;
    bool verify = true;       // write: read back and compare after writing
    bool changedOnly = false; // write: only the 8-byte frames that differ (JobOptions::changedOnly)
    bool fix = false;         // check: write the radios that drifted
    bool allowOtherIdentity =
        false; // write radios whose identification differs from the session's first radio
};

enum class FleetOutcome { Written, UpToDate, Drifted, InStep, NoRadio, Failed, OtherIdentity };

struct FleetPort {
    std::string name;   // "COM1"
    std::string device; // "/dev/ttyUSB0" (resolved by the caller)
};

// What became of one radio.
struct FleetRecord {
    int radio = 0; // 1, 2, ... in the session (a port with no radio gets 0 and outcome NoRadio)
    int round = 0; // 1, 2, ...
    FleetPort port;
    std::string started; // local time "2026-12-08 09:01:02"
    std::string
        identity; // bytes 0..7 of the identification reply: printable ASCII as is, else hex "50 33 .."
    FleetOutcome outcome = FleetOutcome::Failed;
    int changes = 0; // differences written (Written) or found (Drifted, and Written after --fix)
    std::vector<std::string> drift; // check: the comparison's lines (differenceLine)
    JobStage stage = JobStage::Backup;
    std::string reason;         // Failed / OtherIdentity: where and why (core's texts)
    std::string backupId;       // the history entry of the backup read, "" when none
    std::string historyProblem; // why an image of this radio was not kept in the history, "" when all were
    double seconds = 0;
};

// The driver of a session. Called from the ports' threads; implementations lock what they share.
class IFleetObserver {
public:
    virtual ~IFleetObserver() = default;
    virtual void onStage(size_t portIndex, JobStage stage) = 0;
    virtual void onProgress(size_t portIndex, int row) = 0;
    virtual bool cancelled() = 0; // Stop: the current round's jobs are cancelled
};

// One master image written to (or checked against) radio after radio, round by round. Each radio
// is one RadioJob: write mode backs the radio up (kept in the history, its port marked with the
// session and the radio's number), writes only when it differs from the master, and verifies;
// check mode reads it (kept as "read") and records how it differs, writing it only with `fix`.
// A radio that fails never stops the session. A session runs one round at a time.
class FleetSession {
public:
    // `history` may be null: nothing is kept. It must outlive the session.
    FleetSession(const MemoryImage& master, FleetOptions options, Language language, RadioHistory* history);

    // Why the session cannot start ("" when it can): the master has no channel in use (core text).
    std::string startProblem() const;
    // One round: one radio on every port at once, each port on its own thread with its own
    // PosixSerialPort; returns the round's records in port order and keeps them.
    std::vector<FleetRecord> runRound(const std::vector<FleetPort>& ports, IFleetObserver& observer);
    // The same over the lines a caller hands in (a test's simulated ones), one for each port.
    std::vector<FleetRecord> runRound(const std::vector<FleetPort>& ports,
                                      const std::vector<ISerialPort*>& lines, IFleetObserver& observer);

    const std::vector<FleetRecord>& records() const { return m_records; }
    int roundsRun() const { return m_rounds; }
    const FleetOptions& options() const { return m_options; }
    // The session's stamp, as the history entries' ports carry it: "20261208-090102".
    const std::string& stamp() const { return m_stamp; }

private:
    FleetRecord runRadio(const FleetPort& port, ISerialPort& line, size_t portIndex, FleetRound& round,
                         IFleetObserver& observer);

    MemoryImage m_master;
    FleetOptions m_options;
    Language m_language;
    RadioHistory* m_history;
    std::string m_stamp;
    std::vector<FleetRecord> m_records;
    int m_rounds = 0;
    int m_radios = 0;            // radios numbered so far
    std::string m_firstIdentity; // the identification of the session's first radio, "" before it
};

// The outcome in words, one line: "written, 3 changes", "already up to date", "drifted, 2 changes",
// "in step", "no radio", "failed while writing: <reason>", "another model: <reason>".
std::string fleetOutcomeText(const FleetRecord& record, Language language);
// The outcome as one word: written, up-to-date, drifted, in-step, no-radio, failed, other-identity.
const char* fleetOutcomeWord(FleetOutcome outcome);

// The CSV log: the header radio,round,port,device,started,identity,outcome,changes,backup_id,seconds
// and one line a record (outcome as fleetOutcomeWord gives it), without the line end.
std::string fleetCsvHeader();
std::string fleetCsvLine(const FleetRecord& record);

// Whether the session ended well: every radio that answered written, up to date or (check) in step
// (a drifted radio that `fix` wrote counts as written).
bool fleetSucceeded(const std::vector<FleetRecord>& records, const FleetOptions& options);
