#pragma once

#include "history/RadioHistory.h"
#include "image/MemoryImage.h"
#include "radio/CloneSession.h"
#include "radio/SerialPort.h"
#include "text/CoreTexts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The clone sessions of one job, in the order a write runs them.
enum class JobStage {
    Backup, // an ordinary read of the radio before writing
    Write,
    Verify, // a read after writing, compared with what was sent
    Read,   // the one session of a read job
};

struct JobOptions {
    bool backup = true; // read the radio first, and write only when that worked
    bool verify = true; // read the radio back afterwards and compare rows 0 to 50
    bool force = false; // write even when the backup shows the radio already holds rows 0..50
    // Send only the 8-byte write frames that differ from the backup, and verify only those; a
    // refused frame or a difference found falls back to a whole write and a whole verify.
    bool changedOnly = false;
    // Called on the job's thread after a successful backup and before anything is written, with
    // the backup; false ends the job with nothing written (JobResult::declined). Not called when
    // the radio already holds the image (unless force).
    std::function<bool(const MemoryImage& backup)> confirm;
};

// A driver of a job: the clone observer of every session, told when each stage begins.
class IJobObserver : public ICloneObserver {
public:
    // Before the stage's session begins (the first one opens the port); progress then runs from
    // row 1 again.
    virtual void onStage(JobStage stage) = 0;
};

struct JobResult {
    JobStage stage = JobStage::Read; // the stage that ended the job (the last one run)
    TransferResult transfer;         // that stage's result
    int mismatchRow = -1;            // Verify: the first row (0..50) that differs, -1 when none
    size_t mismatchOffset = 0;       // Verify: its first byte that differs
    uint8_t mismatchBits = 0;        // the bits in which that byte differs
    // The radio's contents before the write, when the backup was read; rows 51 to 63 are those
    // of the image being written. A failed or cancelled write can offer to put it back.
    std::optional<MemoryImage> backup;
    std::string backupId; // the history entry that keeps the backup, "" when none was kept
    std::string readId;   // Read: the history entry that keeps what was read, "" when none was kept
    // The write session began and did not complete, or verify found a difference: the radio
    // may hold a mixture of old and new memory.
    bool radioMayBeHalfWritten = false;
    // Whether every image the job had was kept in the history: true when all were (or there is
    // no history), else the first failure. It never stops a transfer; the job goes on and the
    // driver reports it once.
    HistoryResult historyKept;
    bool alreadyHeld = false; // the backup equals rows 0..50 of the image, not forced: nothing written
    bool declined = false;    // confirm returned false: nothing written
    int framesWritten = 0;    // write frames sent by the write session that completed
    // The radio's identification reply (bytes 0..7, as CloneSession::identity), from the first
    // stage that received one; "" when none came.
    std::string identity;
    bool fellBack = false; // changed-only fell back to a whole write and a whole verify

    bool ok() const { return transfer.ok() && mismatchRow < 0; }
    bool cancelled() const { return transfer.status == TransferStatus::Cancelled; }
};

// A whole Read or Write as the user asks for it, over one clone session per stage:
//   Read:  read, then the image goes to the history as "read".
//   Write: backup (a read, kept as "before-write"; when it fails nothing is written), write
//          (kept as "written" once complete), verify (a read compared with what was sent).
//          When the backup shows the radio already holds rows 0 to 50, nothing more runs unless
//          forced; `confirm` may then end the job before the write. Changed-only sends and reads
//          back only the frames that differ from the backup, and on a refused frame or a
//          difference runs a whole write and a whole verify at once.
// The first session opens the port, and the job keeps it (with its lock file, flock and exclusive
// mode) until its last session ends, so that no other program gets at the radio between the
// backup, the write and the verify; the port is closed on every way out of the job. A radio that
// acknowledged the job's first handshake after its eighth byte is not waited for after the
// seventh in the later ones. No state outlives a call, and nothing is shared between objects,
// so a job may run on a worker thread; the observer is called on the thread that runs the job.
class RadioJob {
public:
    // `history` may be null: nothing is kept. `port` and `history` must outlive the job.
    RadioJob(ISerialPort& port, IJobObserver& observer, RadioHistory* history = nullptr)
        : m_port(port), m_observer(observer), m_history(history) {}

    // On success rows 0 to 50 of `image` hold the radio's memory; otherwise `image` is unchanged.
    JobResult read(const std::string& devicePath, MemoryImage& image);
    // Sends rows 0 to 50 of `image`.
    JobResult write(const std::string& devicePath, const MemoryImage& image, const JobOptions& options = {});

    // The port text the history entries carry, asked for when an entry is kept; by default the
    // device path.
    void setHistoryPort(std::function<std::string()> port) { m_historyPort = std::move(port); }
    // The identification reply of this call's radio so far (see JobResult::identity); `confirm`
    // may look at it.
    const std::string& identity() const { return m_identity; }

private:
    TransferResult runStage(JobStage stage, TransferDirection direction, const std::string& devicePath,
                            MemoryImage& image, JobResult& result,
                            const std::vector<uint16_t>& frames = CloneSession::allFrames());
    // The write and verify stages of write(): `frames` to send, and verify reads back the same
    // ones over `readBack` (the radio's memory as it stands before the write). False when the
    // job ends with them (`result` says how); true when the changed frames should be followed
    // by a whole write.
    bool writeStages(const std::string& devicePath, const MemoryImage& image, const JobOptions& options,
                     const std::vector<uint16_t>& frames, MemoryImage readBack, JobResult& result);
    // Adds the image to the history, if there is one; returns the entry's id, "" when not kept.
    std::string keep(HistoryKind kind, const MemoryImage& image, const std::string& devicePath,
                     JobResult& result);

    ISerialPort& m_port;
    IJobObserver& m_observer;
    RadioHistory* m_history;
    bool m_answersLate = false; // this call's radio answered a handshake after its eighth byte
    std::string m_identity;     // this call's radio's identification reply so far
    std::function<std::string()> m_historyPort;
};

// What the user may do after a write that did not succeed. They follow from the job's report
// alone (jobChoices), so every front end offers the same ones and only words them.
enum class JobChoice {
    WriteAgain,         // send the same image once more: the radio may hold a mixture
    RestoreBackup,      // write the backup of what the radio held before: the same mixture
    WriteWithoutBackup, // the backup could not be read from the radio, and nothing was written
};

// The choices after `result`, in the order a front end offers them: none after a success or a
// read, nor when the radio is unchanged and a write would meet the same fault again (a port that
// does not open, another type of radio) or the user stopped it; write again, and restore the
// backup when one was read, when the radio may hold a mixture; write without a backup when
// reading the backup failed in the exchange with the radio.
std::vector<JobChoice> jobChoices(const JobResult& result);

// The write a recovery choice starts. `restore`: an image sent as it is instead of the document,
// with no backup read first (what the radio held before); none: the document. `backup`: false
// when the write must not read a backup first; otherwise the user's switch decides.
struct RecoveryStep {
    std::optional<MemoryImage> restore;
    bool backup = true;
};

// The step for `choice` after the write that ended with `failed`, which sent `sent` and was a
// restore when `sentWasRestore`: write again sends a restore again as it was and otherwise the
// document; restore sends the backup; the last choice sends the document without a backup.
// Nullopt for a choice jobChoices does not offer after `failed`.
std::optional<RecoveryStep> recoveryStep(JobChoice choice, const JobResult& failed, const MemoryImage& sent,
                                         bool sentWasRestore);

// What a front end tells the user after a job, decided once for every front end: nothing after a
// success, a read or write the user stopped before the radio changed, or Cancel at the Retry/Cancel
// question; the wrong-radio caution; what a verify the user cancelled leaves; otherwise the
// failure with its choices. Front ends only word the buttons and may add what only they know (the
// port's reason, where the transfer log is kept).
struct JobNotice {
    enum class Shape { None, Information, Warning, WrongRadio };
    Shape shape = Shape::None;
    std::string text;    // one paragraph a line
    std::string caption; // the wrong-radio box's caption; "" for the others
    std::vector<JobChoice> choices;
    // The radio may hold a mixture: declining the choices closes the box (Close), where otherwise
    // it cancels a write not yet begun (Cancel).
    bool radioChanged = false;
};
JobNotice jobNotice(const JobResult& result, Language language);

// The first row (0..50) in which rows 0 to 50 of the two images differ, -1 when they agree.
int firstDifferingRow(const MemoryImage& a, const MemoryImage& b);

// What a failed verify found, naming the place that differs (see imagePlaceText): "Verify After
// Write found a difference in the Rx Frequency of channel 3: ...". "" when verify found none.
std::string verifyMismatchText(const JobResult& result, Language language);

// The whole text of a failed job in the user's language, one paragraph a line: the session's
// message (as transferMessageText gives it), then what the stage means for the radio (backup
// failed, verify mismatch, possibly half-written) and the advice. "" for success; for a job the
// user cancelled, jobCancelledText.
std::string jobFailureText(const JobResult& result, Language language);

// What a job the user cancelled leaves in the radio, one paragraph a line, without failure
// advice: cancelled during the backup (nothing written), during the write (possibly partly
// written, and the history entry of the backup when one was kept) or during the verify (written,
// not verified). "" when the job was not cancelled, and for a read.
std::string jobCancelledText(const JobResult& result, Language language);

// "Backing up the radio", "Writing", "Verifying", "Reading" or their Chinese twins.
const char* jobStageText(JobStage stage, Language language);
// "backup", "write", "verify" or "read": the stage as radioprog's JSON and its short lines name it.
const char* jobStageKey(JobStage stage);
