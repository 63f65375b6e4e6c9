#include "radio/RadioJob.h"

#include "RadioSimulator.h"
#include "platform/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

namespace fs = std::filesystem;

namespace {

class StageObserver : public IJobObserver {
public:
    void onStage(JobStage stage) override {
        stages.push_back(stage);
        rows = 0;
        if (atStage) {
            atStage(stage);
        }
    }
    void onProgress(int row) override {
        rows = row;
        if (cancelIn && *cancelIn == stages.back() && row == cancelAtRow) {
            cancel = true;
        }
    }
    bool pump() override { return cancel; }
    bool retryAfterCommunicationError() override { return false; }

    std::function<void(JobStage)> atStage;
    std::vector<JobStage> stages;
    int rows = 0;
    std::optional<JobStage> cancelIn;
    int cancelAtRow = 0;
    bool cancel = false;
};

RadioSimulator::Memory patternMemory(uint8_t seed) {
    RadioSimulator::Memory m{};
    for (size_t i = 0; i < m.size(); ++i) {
        m[i] = static_cast<uint8_t>(i * 13 + seed);
    }
    return m;
}

MemoryImage imageOf(const RadioSimulator::Memory& m) {
    MemoryImage img;
    std::copy(m.begin(), m.end(), img.data());
    return img;
}

bool sameTransferRows(const MemoryImage& a, const RadioSimulator::Memory& m) {
    return std::equal(a.data(), a.data() + image::kTransferSize, m.begin());
}

class RadioJobTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("job-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
        m_history = std::make_unique<RadioHistory>((m_dir / "history").string());
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    void startRadio(SimulatorOptions options = {}) {
        m_sim = std::make_unique<RadioSimulator>(options);
        m_sim->setMemory(m_before);
        std::string error;
        ASSERT_TRUE(m_sim->start(&error)) << error;
    }
    JobResult write(const JobOptions& options = {}) {
        RadioJob job(m_port, m_observer, m_history.get());
        return job.write(m_sim->devicePath(), m_image, options);
    }

    fs::path m_dir;
    std::unique_ptr<RadioHistory> m_history;
    std::unique_ptr<RadioSimulator> m_sim;
    platform::PosixSerialPort m_port;
    StageObserver m_observer;
    const RadioSimulator::Memory m_before = patternMemory(1);
    const MemoryImage m_image = imageOf(patternMemory(100));
};

TEST_F(RadioJobTest, WriteBacksUpWritesVerifiesAndKeepsBothImages) {
    startRadio();
    const JobResult r = write();
    ASSERT_TRUE(r.ok()) << transferMessageText(r.transfer.status, Language::English);
    EXPECT_EQ(r.stage, JobStage::Verify);
    EXPECT_EQ(m_observer.stages,
              (std::vector<JobStage>{JobStage::Backup, JobStage::Write, JobStage::Verify}));
    EXPECT_EQ(m_observer.rows, 51);
    EXPECT_TRUE(sameTransferRows(m_image, m_sim->memory()));
    ASSERT_TRUE(r.backup);
    EXPECT_TRUE(sameTransferRows(*r.backup, m_before));
    EXPECT_FALSE(r.radioMayBeHalfWritten);
    EXPECT_TRUE(r.historyKept);
    EXPECT_TRUE(jobChoices(r).empty());

    const std::vector<HistoryEntry> list = m_history->entries();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, HistoryKind::Written);
    EXPECT_EQ(list[1].kind, HistoryKind::BeforeWrite);
    EXPECT_EQ(list[0].port, m_sim->devicePath());
    MemoryImage kept;
    ASSERT_TRUE(m_history->load(list[1].id, kept));
    EXPECT_EQ(kept, *r.backup);
    ASSERT_TRUE(m_history->load(list[0].id, kept));
    EXPECT_EQ(kept, m_image);
}

TEST_F(RadioJobTest, NoOtherProgramGetsThePortBetweenTheSessionsOfAWrite) {
    startRadio();
    std::vector<PortError> others; // what another program's open found as each stage began
    m_observer.atStage = [&](JobStage) {
        platform::PosixSerialPort other;
        others.push_back(other.open(m_sim->devicePath()).error);
    };
    const JobResult r = write();
    EXPECT_TRUE(r.ok()) << jobFailureText(r, Language::English);
    EXPECT_EQ(others, (std::vector<PortError>{PortError::None, PortError::Busy, PortError::Busy}));
    platform::PosixSerialPort after;
    EXPECT_TRUE(after.open(m_sim->devicePath())) << "the job lets go of the port when it ends";
}

TEST_F(RadioJobTest, WhatAWriteSendsFollowsFromItsOptionsAndTheBackup) {
    using S = JobStage;
    using H = HistoryKind;
    RadioSimulator::Memory held{}; // the image, but for one channel's row
    std::copy(m_image.data(), m_image.data() + held.size(), held.begin());
    held[5 * image::kRowSize] ^= 0xFF;
    held[5 * image::kRowSize + 8] ^= 0xFF;
    const auto options = [](bool force, bool changedOnly, bool confirm, bool backupAndVerify = true) {
        JobOptions o;
        o.backup = o.verify = backupAndVerify;
        o.force = force;
        o.changedOnly = changedOnly;
        o.confirm =
            confirm ? std::function<bool(const MemoryImage&)>() : [](const MemoryImage&) { return false; };
        return o;
    };
    struct Row {
        const char* name;
        JobOptions options;
        int rowsOff = 51; // rows of the image the radio does not hold: all, one, none (0)
        bool sequentialOnly = false;
        std::vector<JobStage> stages;
        std::vector<HistoryKind> kept; // newest first
        int framesWritten = 102;
        int framesStored = 102; // write frames the radio took
        bool alreadyHeld = false, declined = false, fellBack = false;
        bool earlyReply = false; // the radio answers the handshake after its seventh byte
    } rows[] = {
        {"WithoutBackupAndVerifyOnlyTheWriteRuns",
         options(false, false, true, false),
         51,
         false,
         {S::Write},
         {H::Written}},
        {"AlreadyHeld", options(false, false, true), 0, false, {S::Backup}, {H::BeforeWrite}, 0, 0, true},
        {"Forced",
         options(true, false, true),
         0,
         false,
         {S::Backup, S::Write, S::Verify},
         {H::Written, H::BeforeWrite}},
        {"Declined",
         options(false, false, false),
         51,
         false,
         {S::Backup},
         {H::BeforeWrite},
         0,
         0,
         false,
         true},
        {"ChangedOnly",
         options(false, true, true),
         1,
         false,
         {S::Backup, S::Write, S::Verify},
         {H::Written, H::BeforeWrite},
         2,
         2},
        {"ChangedOnlyFallsBack",
         options(false, true, true),
         1,
         true,
         {S::Backup, S::Write, S::Write, S::Verify},
         {H::Written, H::BeforeWrite},
         102,
         102,
         false,
         false,
         true},
    };
    for (const Row& row : rows) {
        m_history = std::make_unique<RadioHistory>((m_dir / row.name).string());
        SimulatorOptions sim;
        sim.sequentialOnly = row.sequentialOnly;
        sim.earlyReply = row.earlyReply;
        m_sim = std::make_unique<RadioSimulator>(sim);
        m_sim->setMemory(row.rowsOff == 51 ? m_before : row.rowsOff == 1 ? held : patternMemory(100));
        ASSERT_TRUE(m_sim->start());
        m_observer = StageObserver();
        const JobResult r = write(row.options);
        EXPECT_TRUE(r.ok()) << row.name << ": " << jobFailureText(r, Language::English);
        EXPECT_EQ(m_observer.stages, row.stages) << row.name;
        EXPECT_EQ(m_sim->handshakes(), static_cast<int>(row.stages.size())) << row.name;
        EXPECT_EQ(r.backup.has_value(), row.options.backup) << row.name;
        std::vector<HistoryKind> kept;
        for (const HistoryEntry& entry : m_history->entries()) {
            kept.push_back(entry.kind);
        }
        EXPECT_EQ(kept, row.kept) << row.name;
        EXPECT_EQ(r.framesWritten, row.framesWritten) << row.name;
        EXPECT_EQ(m_sim->writeFramesStored(), row.framesStored) << row.name;
        EXPECT_EQ(r.alreadyHeld, row.alreadyHeld) << row.name;
        EXPECT_EQ(r.declined, row.declined) << row.name;
        EXPECT_EQ(r.fellBack, row.fellBack) << row.name;
        EXPECT_EQ(sameTransferRows(m_image, m_sim->memory()), !row.declined) << row.name;
        EXPECT_TRUE(jobChoices(r).empty()) << row.name;
    }
}

TEST_F(RadioJobTest, AFailedBackupStopsTheWriteBeforeItStarts) {
    struct Row {
        const char* name;
        SimulatorOptions options;
        TransferStatus status;
        std::vector<JobChoice> choices; // a write without the backup only where it could work
        bool portHeld = false;          // another program holds the port
        // Cancel at the Retry/Cancel question is the user's own choice: nothing more to say.
        JobNotice::Shape shape = JobNotice::Shape::Warning;
    } rows[] = {
        {"RadioOff",
         [] {
             SimulatorOptions o;
             o.ignoreHandshake = true;
             return o;
         }(),
         TransferStatus::CommunicationError,
         {JobChoice::WriteWithoutBackup},
         false,
         JobNotice::Shape::None},
        {"StallInTheRead",
         [] {
             SimulatorOptions o;
             o.stallAtFrame = 40;
             return o;
         }(),
         TransferStatus::FrameFailed,
         {JobChoice::WriteWithoutBackup}},
        {"OtherRadio",
         [] {
             SimulatorOptions o;
             o.identity[1] = '9';
             return o;
         }(),
         TransferStatus::WrongRadio,
         {},
         false,
         JobNotice::Shape::WrongRadio},
        {"PortHeld", {}, TransferStatus::PortOpenFailed, {}, true},
    };
    for (const Row& row : rows) {
        startRadio(row.options);
        m_observer = StageObserver();
        platform::PosixSerialPort holder;
        ASSERT_TRUE(!row.portHeld || holder.open(m_sim->devicePath())) << row.name;
        const JobResult r = write();
        EXPECT_EQ(r.stage, JobStage::Backup) << row.name;
        EXPECT_EQ(r.transfer.status, row.status) << row.name;
        EXPECT_EQ(m_observer.stages, std::vector<JobStage>{JobStage::Backup}) << row.name;
        EXPECT_EQ(m_sim->completedWrites(), 0) << row.name;
        EXPECT_EQ(m_sim->memory(), m_before) << row.name;
        EXPECT_FALSE(r.radioMayBeHalfWritten) << row.name;
        EXPECT_FALSE(r.backup) << row.name;
        EXPECT_EQ(jobChoices(r), row.choices) << row.name;
        const JobNotice notice = jobNotice(r, Language::English);
        EXPECT_EQ(notice.shape, row.shape) << row.name;
        EXPECT_EQ(notice.choices,
                  notice.shape == JobNotice::Shape::Warning ? row.choices : std::vector<JobChoice>{})
            << row.name;
        EXPECT_NE(jobFailureText(r, Language::English).find("nothing was written"), std::string::npos)
            << row.name;
    }
    EXPECT_TRUE(m_history->entries().empty());
}

TEST_F(RadioJobTest, VerifyNamesThePlaceTheRadioStoredWrongly) {
    struct Row {
        int frame;
        int row;
        const char* place;
    } rows[] = {{0, 0, "the radio-wide options"},
                {20, 10, "the Rx Frequency of channel 10"},
                {37, 18, "the radio-wide options"},
                {101, 50, "the radio-wide options"}};
    for (const Row& row : rows) {
        SimulatorOptions options;
        options.corruptAtFrame = row.frame;
        startRadio(options);
        JobOptions withoutBackup;
        withoutBackup.backup = false;
        const JobResult r = write(withoutBackup);
        EXPECT_FALSE(r.ok()) << row.frame;
        EXPECT_TRUE(r.transfer.ok()) << "every session itself succeeded";
        EXPECT_EQ(r.stage, JobStage::Verify);
        EXPECT_EQ(r.mismatchRow, row.row) << row.frame;
        EXPECT_TRUE(r.radioMayBeHalfWritten);
        EXPECT_EQ(jobChoices(r), std::vector<JobChoice>{JobChoice::WriteAgain}) << "no backup to restore";
        const std::string text = jobFailureText(r, Language::English);
        EXPECT_NE(text.find(std::string("difference in ") + row.place + ":"), std::string::npos) << text;
    }
}

TEST_F(RadioJobTest, ACancelSaysWhatTheRadioHoldsWithoutFailureAdvice) {
    struct Row {
        JobStage stage;
        bool halfWritten;
        size_t kept; // history entries: the backup, and the written image once completely sent
        const char* english;
        const char* chinese;
        std::vector<JobChoice> choices;
        JobNotice::Shape shape; // nothing to say while the radio is unchanged
    } rows[] = {{JobStage::Backup,
                 false,
                 0,
                 "You cancelled the write while the radio was read",
                 "保持原样",
                 {},
                 JobNotice::Shape::None},
                {JobStage::Write,
                 true,
                 1,
                 "You cancelled the write: the radio may hold a partly",
                 "一部分",
                 {JobChoice::WriteAgain, JobChoice::RestoreBackup},
                 JobNotice::Shape::Warning},
                {JobStage::Verify,
                 false,
                 2,
                 "You cancelled the verify: the image was written",
                 "没有读回",
                 {},
                 JobNotice::Shape::Information}};
    for (const Row& row : rows) {
        m_history =
            std::make_unique<RadioHistory>((m_dir / jobStageText(row.stage, Language::English)).string());
        startRadio();
        m_observer = StageObserver();
        m_observer.cancelIn = row.stage;
        m_observer.cancelAtRow = 10;
        const JobResult r = write();
        const std::string text = jobFailureText(r, Language::English);
        EXPECT_TRUE(r.cancelled() && r.stage == row.stage && r.radioMayBeHalfWritten == row.halfWritten)
            << text;
        EXPECT_EQ(m_history->entries().size(), row.kept) << text;
        EXPECT_EQ(m_sim->memory() == m_before, row.stage == JobStage::Backup) << text;
        EXPECT_EQ(text.find(row.english), 0u) << text;
        EXPECT_NE(jobCancelledText(r, Language::Chinese).find(row.chinese), std::string::npos) << text;
        EXPECT_EQ(text.find("history as " + r.backupId + ";") != std::string::npos, row.halfWritten) << text;
        EXPECT_EQ(r.backup && sameTransferRows(*r.backup, m_before), row.stage != JobStage::Backup) << text;
        EXPECT_EQ(jobChoices(r), row.choices) << text;
        const JobNotice notice = jobNotice(r, Language::English);
        EXPECT_EQ(notice.shape, row.shape) << text;
        EXPECT_EQ(notice.radioChanged, row.halfWritten) << text;
    }
}

TEST_F(RadioJobTest, AHistoryThatCannotBeWrittenIsReportedAndTheWriteGoesOn) {
    std::ofstream(m_dir / "blocked") << "a file where the folder should be";
    m_history = std::make_unique<RadioHistory>((m_dir / "blocked" / "history").string());
    startRadio();
    const JobResult r = write();
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.stage, JobStage::Verify);
    EXPECT_EQ(r.historyKept.error, HistoryError::CreateFolder);
    EXPECT_TRUE(sameTransferRows(m_image, m_sim->memory()));
}

TEST_F(RadioJobTest, ReadKeepsTheImageAsRead) {
    startRadio();
    MemoryImage img = m_image;
    RadioJob job(m_port, m_observer, m_history.get());
    const JobResult r = job.read(m_sim->devicePath(), img);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(m_observer.stages, std::vector<JobStage>{JobStage::Read});
    EXPECT_TRUE(sameTransferRows(img, m_before));
    const std::vector<HistoryEntry> list = m_history->entries();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].kind, HistoryKind::Read);
    MemoryImage kept;
    ASSERT_TRUE(m_history->load(list[0].id, kept));
    EXPECT_EQ(kept, img);
}

TEST(RecoveryStep, EachChoiceSendsWhatTheRadioNeeds) {
    MemoryImage backup, sent;
    backup.setByte(16, 0x11);
    sent.setByte(16, 0x22);
    JobResult halfWritten;
    halfWritten.stage = JobStage::Write;
    halfWritten.transfer.status = TransferStatus::Cancelled;
    halfWritten.radioMayBeHalfWritten = true;
    halfWritten.backup = backup;
    JobResult noBackup = halfWritten;
    noBackup.backup.reset();
    struct Row {
        const char* name;
        JobChoice choice;
        const JobResult& failed;
        bool sentWasRestore;
        std::optional<MemoryImage> restore; // what is sent instead of the document
        bool backup;
        bool offered;
    } rows[] = {
        {"again", JobChoice::WriteAgain, halfWritten, false, std::nullopt, true, true},
        {"a restore again", JobChoice::WriteAgain, halfWritten, true, sent, false, true},
        {"restore", JobChoice::RestoreBackup, halfWritten, false, backup, false, true},
        {"no backup to restore", JobChoice::RestoreBackup, noBackup, false, std::nullopt, false, false},
        {"not after a write", JobChoice::WriteWithoutBackup, halfWritten, false, std::nullopt, false, false}};
    for (const Row& row : rows) {
        const std::optional<RecoveryStep> step =
            recoveryStep(row.choice, row.failed, sent, row.sentWasRestore);
        ASSERT_EQ(step.has_value(), row.offered) << row.name;
        if (step) {
            EXPECT_EQ(step->restore, row.restore) << row.name;
            EXPECT_EQ(step->backup, row.backup) << row.name;
        }
    }
}

} // namespace
