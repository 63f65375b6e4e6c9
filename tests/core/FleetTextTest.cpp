#include "fleet/FleetSession.h"

#include <gtest/gtest.h>

namespace {

FleetRecord record(FleetOutcome outcome, int changes = 0, JobStage stage = JobStage::Backup,
                   const std::string& reason = "") {
    FleetRecord r;
    r.radio = 2;
    r.round = 1;
    r.port = {"COM2", "/dev/ttyUSB1"};
    r.started = "2026-12-08 09:01:02";
    r.identity = "P3207, \"A\"";
    r.outcome = outcome;
    r.changes = changes;
    r.stage = stage;
    r.reason = reason;
    r.backupId = "20261208-090102-123-before-write";
    r.seconds = 41.25;
    return r;
}

TEST(FleetText, OutcomesInWordsAndInTheLog) {
    struct Row {
        FleetRecord record;
        const char* english;
        const char* chinese;
        const char* word;
    };
    const Row rows[] = {
        {record(FleetOutcome::Written, 3), "written, 3 changes", "已写入，3 处更改", "written"},
        {record(FleetOutcome::Written, 1), "written, 1 change", "已写入，1 处更改", "written"},
        {record(FleetOutcome::UpToDate), "already up to date", "已是最新", "up-to-date"},
        {record(FleetOutcome::Drifted, 2), "drifted, 2 changes", "有偏差，2 处更改", "drifted"},
        {record(FleetOutcome::InStep), "in step", "一致", "in-step"},
        {record(FleetOutcome::NoRadio), "no radio", "无对讲机", "no-radio"},
        {record(FleetOutcome::Failed, 0, JobStage::Verify, "why"), "failed while verifying: why",
         "校验时失败：why", "failed"},
        {record(FleetOutcome::OtherIdentity, 0, JobStage::Write, "why"), "another model: why",
         "其他型号：why", "other-identity"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(fleetOutcomeText(row.record, Language::English), row.english);
        EXPECT_EQ(fleetOutcomeText(row.record, Language::Chinese), row.chinese);
        EXPECT_EQ(fleetCsvLine(row.record),
                  "2,1,COM2,/dev/ttyUSB1,2026-12-08 09:01:02,\"P3207, \"\"A\"\"\"," + std::string(row.word) +
                      "," + std::to_string(row.record.changes) + ",20261208-090102-123-before-write,41.3");
    }
}

TEST(FleetText, TheSessionEndsWellWhenEveryRadioThatAnsweredDid) {
    const FleetOptions check{FleetMode::Check};
    const std::vector<FleetRecord> good = {record(FleetOutcome::Written), record(FleetOutcome::UpToDate),
                                           record(FleetOutcome::InStep), record(FleetOutcome::NoRadio)};
    EXPECT_TRUE(fleetSucceeded(good, check));
    for (FleetOutcome bad : {FleetOutcome::Drifted, FleetOutcome::Failed, FleetOutcome::OtherIdentity}) {
        std::vector<FleetRecord> records = good;
        records.push_back(record(bad));
        EXPECT_FALSE(fleetSucceeded(records, check)) << fleetOutcomeWord(bad);
    }
}

} // namespace
