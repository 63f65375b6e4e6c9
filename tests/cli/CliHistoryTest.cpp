// radioprog write with backup and verify, history, restore and --trace against the simulated radio.

#include "CliTestSupport.h"
#include "MiniJson.h"

#include "RadioSimulator.h"
#include "image/DatFile.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace clitest {
namespace {

MemoryImage patternImage(uint8_t seed) {
    MemoryImage img;
    for (size_t i = 0; i < image::kSize; ++i) {
        img.setByte(i, static_cast<uint8_t>(i * 5 + seed));
    }
    return img;
}

bool sameTransferRows(const MemoryImage& img, const RadioSimulator::Memory& m) {
    return std::equal(img.data(), img.data() + image::kTransferSize, m.begin());
}

bool sameTransferRows(const MemoryImage& a, const MemoryImage& b) {
    return std::equal(a.data(), a.data() + image::kTransferSize, b.data());
}

struct HistoryLine {
    std::string id;
    std::string kind;
};

// The lines of 'radioprog history': id, date, time, kind, port, ...
std::vector<HistoryLine> historyLines(const std::string& out) {
    std::vector<HistoryLine> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string id;
        std::string date;
        std::string time;
        std::string kind;
        words >> id >> date >> time >> kind;
        lines.push_back({id, kind});
    }
    return lines;
}

class CliHistory : public CliTest {
protected:
    std::unique_ptr<RadioSimulator> radio(const MemoryImage& memory, SimulatorOptions options = {}) {
        auto sim = std::make_unique<RadioSimulator>(options);
        RadioSimulator::Memory m{};
        std::copy(memory.data(), memory.data() + image::kSize, m.begin());
        sim->setMemory(m);
        std::string error;
        EXPECT_TRUE(sim->start(&error)) << error;
        return sim;
    }
    MemoryImage historyImage(const std::string& id) const {
        MemoryImage img;
        EXPECT_TRUE(loadDatFile(historyPath() + "/" + id + ".dat", img)) << id;
        return img;
    }
};

TEST_F(CliHistory, WriteKeepsWhatTheRadioHeldBeforeAndWhatItHoldsAfter) {
    const MemoryImage before = patternImage(1);
    auto sim = radio(before);
    writeImage("a.dat", patternImage(2));

    const RunResult w = run({"write", "--port", sim->devicePath(), "--force", "a.dat"});
    ASSERT_EQ(w.exitStatus, 0) << w.err;
    EXPECT_EQ(w.err, "");
    EXPECT_EQ(sim->handshakes(), 3) << "backup, write, verify";

    const RunResult h = run({"history"});
    ASSERT_EQ(h.exitStatus, 0) << h.err;
    const std::vector<HistoryLine> lines = historyLines(h.out);
    ASSERT_EQ(lines.size(), 2u) << h.out;
    EXPECT_EQ(lines[0].kind, "written");
    EXPECT_EQ(lines[1].kind, "before-write");
    EXPECT_CONTAINS(h.out, sim->devicePath());
    EXPECT_TRUE(sameTransferRows(historyImage(lines[1].id), before));
    EXPECT_TRUE(sameTransferRows(historyImage(lines[0].id), sim->memory()));

    const RunResult json = run({"history", "--json"});
    ASSERT_EQ(json.exitStatus, 0) << json.err;
    minijson::Reader reader(json.out);
    const std::optional<minijson::Value> list = reader.parse();
    ASSERT_TRUE(list) << json.out;
    ASSERT_EQ(list->items.size(), 2u);
    EXPECT_EQ((*list)[0]["id"].text, lines[0].id);
    EXPECT_EQ((*list)[1]["kind"].text, "before-write");
    EXPECT_EQ((*list)[1]["channels_in_use"].kind, minijson::Value::Kind::Number);
    EXPECT_EQ((*list)[1]["file"].text, historyPath() + "/" + lines[1].id + ".dat");
}

TEST_F(CliHistory, AByteTheRadioStoredWronglyFailsTheWriteAndNamesItsRow) {
    SimulatorOptions corrupt;
    corrupt.corruptAtFrame = 37;
    auto sim = radio(patternImage(1), corrupt);
    writeImage("a.dat", patternImage(2));

    const RunResult w = run({"write", "--port", sim->devicePath(), "--force", "--no-backup", "a.dat"});
    EXPECT_EQ(w.exitStatus, 1);
    EXPECT_CONTAINS(w.err, "radioprog: verify failed at row 18: ");
    EXPECT_EQ(w.out, "");

    const RunResult unverified =
        run({"write", "--port", sim->devicePath(), "--force", "--no-backup", "--no-verify", "a.dat"});
    EXPECT_EQ(unverified.exitStatus, 0) << "without the read back nothing notices";
}

TEST_F(CliHistory, RestorePutsThePreviousContentsBackByteForByte) {
    const MemoryImage before = patternImage(1);
    auto sim = radio(before);
    writeImage("a.dat", patternImage(2));
    ASSERT_EQ(run({"write", "--port", sim->devicePath(), "--force", "a.dat"}).exitStatus, 0);
    const std::vector<HistoryLine> lines = historyLines(run({"history"}).out);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[1].kind, "before-write");

    const RunResult r = run({"restore", lines[1].id, "--port", sim->devicePath(), "--no-backup"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out,
              "restored history entry " + lines[1].id + " to the radio on " + sim->devicePath() + "\n");
    EXPECT_TRUE(sameTransferRows(before, sim->memory()));

    const RunResult missing = run({"restore", "20000101-000000-000-read", "--port", sim->devicePath()});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_CONTAINS(missing.err, "no history entry 20000101-000000-000-read");
}

TEST_F(CliHistory, AFailedBackupWritesNothing) {
    SimulatorOptions stall;
    stall.stallAtFrame = 40;
    auto sim = radio(patternImage(1), stall);
    writeImage("a.dat", patternImage(2));
    const RunResult w = run({"write", "--port", sim->devicePath(), "--force", "a.dat"});
    EXPECT_EQ(w.exitStatus, 1);
    EXPECT_CONTAINS(w.err, "radioprog: backup read failed at frame 0x0140: Program Interrupt");
    EXPECT_CONTAINS(w.err, "nothing was written to the radio");
    EXPECT_CONTAINS(w.err, "broke off at row 20");
    EXPECT_EQ(sim->completedWrites(), 0);
    EXPECT_EQ(run({"history"}).out, "no entries\n");
    EXPECT_EQ(run({"history", "--json"}).out, "[]\n");
}

// The JSON times carry the offset from UTC that the user's time zone had at each entry's time.
TEST_F(CliHistory, JsonTimesCarryTheirUtcOffset) {
    struct Case {
        const char* timeZone;
        std::vector<std::string> times; // the index's local times, oldest first
        std::string out;                // newest first
    } cases[] = {
        {"CET-1CEST,M3.5.0,M10.5.0/3",
         {"2026-01-15 10:00:00.000", "2026-07-15 22:18:38.123"},
         "2026-07-15T22:18:38.123+02:00 2026-01-15T10:00:00.000+01:00 "},
        {"EST5EDT,M3.2.0,M11.1.0", {"2026-12-07 22:18:38.000"}, "2026-12-07T22:18:38.000-05:00 "},
    };
    for (const Case& c : cases) {
        std::string index;
        writeFile("data/" + std::string(kTestAppName) + "/history/index.txt", ""); // the folder
        for (size_t i = 0; i < c.times.size(); ++i) {
            const std::string id = "2026010" + std::to_string(i) + "-000000-000-read";
            writeImage("data/" + std::string(kTestAppName) + "/history/" + id + ".dat", patternImage(1));
            index += id + "\t" + c.times[i] + "\tread\t/dev/ttyUSB0\t0\t0\t0\t" + id + ".dat\n";
        }
        writeFile("data/" + std::string(kTestAppName) + "/history/index.txt", index);
        m_extraEnvironment = {std::string("TZ=") + c.timeZone};
        const RunResult r = run({"history", "--json"});
        minijson::Reader reader(r.out);
        const std::optional<minijson::Value> list = reader.parse();
        ASSERT_TRUE(list) << r.out << r.err;
        std::string times;
        for (const minijson::Value& entry : list->items) {
            times += entry["time"].text + " ";
        }
        EXPECT_EQ(times, c.out) << c.timeZone;
    }
}

TEST_F(CliHistory, AHistoryThatCannotBeSavedIsAWarningOnly) {
    writeFile("data", "a file where the data folder should be");
    auto sim = radio(patternImage(1));
    writeImage("a.dat", patternImage(2));
    const RunResult w = run({"write", "--port", sim->devicePath(), "--force", "--no-verify", "a.dat"});
    EXPECT_EQ(w.exitStatus, 0) << w.err;
    EXPECT_CONTAINS(w.err, "radioprog: warning: The radio history could not be saved: ");
    EXPECT_EQ(std::count(w.err.begin(), w.err.end(), '\n'), 1) << "reported once: " << w.err;
    EXPECT_TRUE(sameTransferRows(patternImage(2), sim->memory()));
}

// The hex bytes of the log's lines in one direction.
size_t loggedBytes(const std::string& log, char direction) {
    static const std::regex hexByte(R"((^| )[0-9A-F]{2}(?= |$))");
    size_t count = 0;
    std::istringstream in(log);
    std::string line;
    const std::string marker = std::string(" ms  ") + direction + "  ";
    while (std::getline(in, line)) {
        const size_t at = line.find(marker);
        if (at == std::string::npos || contains(line, "(failed)")) {
            continue;
        }
        const std::string bytes = line.substr(at + marker.size());
        count += static_cast<size_t>(
            std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), hexByte), std::sregex_iterator()));
    }
    return count;
}

TEST_F(CliHistory, TheTraceListsEveryByteThatCrossedTheWire) {
    auto sim = radio(patternImage(1));
    writeImage("a.dat", patternImage(2));
    const RunResult w =
        run({"write", "--port", sim->devicePath(), "--force", "--trace", "write.log", "a.dat"});
    ASSERT_EQ(w.exitStatus, 0) << w.err;
    const std::string log = readFile("write.log");
    EXPECT_EQ(loggedBytes(log, '>'), sim->bytesReceived());
    EXPECT_EQ(loggedBytes(log, '<'), sim->bytesSent());
    size_t opens = 0;
    for (size_t at = log.find(" open "); at != std::string::npos; at = log.find(" open ", at + 1)) {
        ++opens;
    }
    EXPECT_EQ(opens, 1u) << "the port is held from the backup to the verify";

    const RunResult bad =
        run({"read", "--port", sim->devicePath(), "--output", "b.dat", "--trace", "no/r.log"});
    EXPECT_EQ(bad.exitStatus, 2);
    EXPECT_CONTAINS(bad.err, "the folder no does not exist");
}

TEST_F(CliHistory, TheProgressBarShowsEachStage) {
    auto sim = radio(patternImage(1));
    writeImage("a.dat", patternImage(2));
    const RunResult w = run({"write", "--port", sim->devicePath(), "--force", "a.dat"}, true);
    ASSERT_EQ(w.exitStatus, 0) << w.err;
    const size_t backup = w.err.find("\rBacking up the radio [##############################] 51/51");
    const size_t write = w.err.find("\rWriting [##############################] 51/51");
    const size_t verify = w.err.find("\rVerifying [##############################] 51/51");
    EXPECT_LT(backup, write) << w.err;
    EXPECT_LT(write, verify) << w.err;
    EXPECT_NE(verify, std::string::npos) << w.err;
}

} // namespace
} // namespace clitest
