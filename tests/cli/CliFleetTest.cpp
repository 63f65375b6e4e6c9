// radioprog fleet against simulated radios on several pseudo-terminals.

#include "CliTestSupport.h"

#include "RadioSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace clitest {
namespace {

MemoryImage patternImage(uint8_t seed) {
    MemoryImage img;
    for (size_t i = 0; i < image::kSize; ++i) {
        img.setByte(i, static_cast<uint8_t>(i * 7 + seed));
    }
    return img;
}

bool holds(const RadioSimulator& sim, const MemoryImage& img) {
    const RadioSimulator::Memory m = sim.memory();
    return std::equal(img.data(), img.data() + image::kTransferSize, m.begin());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Waits (up to 20 s) until `done` holds.
bool waitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

class CliFleet : public CliTest {
protected:
    void TearDown() override {
        closeInput();
        CliTest::TearDown();
    }
    std::unique_ptr<RadioSimulator> radio(const MemoryImage& memory, SimulatorOptions options = {}) {
        auto sim = std::make_unique<RadioSimulator>(options);
        RadioSimulator::Memory m{};
        std::copy(memory.data(), memory.data() + image::kSize, m.begin());
        sim->setMemory(m);
        std::string error;
        EXPECT_TRUE(sim->start(&error)) << error;
        return sim;
    }
    // Standard input of the next runs: a pipe the test writes the user's answers into.
    void openInput() {
        int fds[2];
        ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        m_stdinFd = fds[0];
        m_input = fds[1];
    }
    void answer(const std::string& line) {
        ASSERT_EQ(::write(m_input, line.data(), line.size()), ssize_t(line.size()));
    }
    void closeInput() {
        for (int* fd : {&m_stdinFd, &m_input}) {
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
        }
    }
    // The one cable of a test whose radios take turns on it: a link to the radio connected now. The
    // program opens it again only once it has read the next line.
    void connect(const RadioSimulator& sim) {
        std::filesystem::remove(path("cable"));
        std::filesystem::create_symlink(sim.devicePath(), path("cable"));
    }

    int m_input = -1;
};

TEST_F(CliFleet, ThreeRoundsOnOnePortGiveOneRecordEachAndALog) {
    const MemoryImage master = patternImage(3);
    writeImage("master.dat", master);
    SimulatorOptions stall;
    stall.stallAtFrame = 40;
    auto upToDate = radio(master);
    auto old = radio(patternImage(9));
    auto broken = radio(patternImage(9), stall);

    openInput();
    connect(*upToDate);
    auto child = start({"fleet", "write", "master.dat", "--port", path("cable"), "--log", "log.csv"});
    ::close(m_stdinFd);
    m_stdinFd = -1;
    answer("\n");
    ASSERT_TRUE(waitFor([&] { return upToDate->completedReads() == 1; }));
    connect(*old);
    answer("\n");
    ASSERT_TRUE(waitFor([&] { return old->completedReads() == 2 && old->completedWrites() == 1; }));
    connect(*broken);
    answer("\n");
    closeInput();
    const RunResult r = child->finish(60000);

    EXPECT_EQ(r.exitStatus, 1) << r.err;
    const std::string prompt =
        "connect the next radio to " + path("cable") + ", switch it on and press Enter; q ends\n";
    EXPECT_EQ(r.err, prompt + prompt + prompt + prompt);
    const std::vector<std::string> out = linesOf(r.out);
    ASSERT_EQ(out.size(), 3U) << r.out;
    EXPECT_CONTAINS(out[0], "radio 1  round 1  " + path("cable") + " (" + path("cable") +
                                ")  50 33 32 30 37 00 00 00  already up to date  backup ");
    EXPECT_CONTAINS(out[1], "radio 2  round 2");
    EXPECT_CONTAINS(out[1], "written, ");
    EXPECT_CONTAINS(out[2], "radio 3  round 3");
    EXPECT_CONTAINS(out[2], "failed while backing up: Program Interrupt");
    EXPECT_TRUE(holds(*old, master));
    EXPECT_TRUE(holds(*broken, patternImage(9)));

    const std::vector<std::string> log = linesOf(readFile("log.csv"));
    ASSERT_EQ(log.size(), 4U);
    EXPECT_EQ(log[0], "radio,round,port,device,started,identity,outcome,changes,backup_id,seconds");
    const char* const outcomes[] = {",up-to-date,0,", ",written,", ",failed,"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(log[i + 1].rfind(std::to_string(i + 1) + "," + std::to_string(i + 1) + ",", 0), 0U)
            << log[i + 1];
        EXPECT_CONTAINS(log[i + 1], outcomes[i]);
    }
    // The backups in the history name the session and the radio.
    const std::string index = readFileAt(historyPath() + "/index.txt");
    EXPECT_CONTAINS(index, ", radio 2)\t");
}

TEST_F(CliFleet, ARoundOnThreePortsWritesEveryRadioAndAPortWithoutOneSaysSo) {
    const MemoryImage master = patternImage(3);
    writeImage("master.dat", master);
    std::vector<std::unique_ptr<RadioSimulator>> sims;
    std::vector<std::string> args = {"fleet", "write", "master.dat", "--count", "1"};
    SimulatorOptions switchedOff;
    switchedOff.ignoreHandshake = true;
    for (uint8_t seed : {5, 6, 7, 8}) {
        sims.push_back(radio(patternImage(seed), seed == 8 ? switchedOff : SimulatorOptions{}));
        args.insert(args.end(), {"--port", sims.back()->devicePath()});
    }
    openInput();
    answer("\n\n");
    const RunResult r = run(args, true);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    // On a terminal, one line shows where each port's radio is.
    EXPECT_CONTAINS(r.err, sims[1]->devicePath() + " write 51/51");
    EXPECT_CONTAINS(r.err, sims[3]->devicePath() + " backup 0/51");
    EXPECT_CONTAINS(r.err, "connect the next radio to " + sims[0]->devicePath() + " (and " +
                               sims[1]->devicePath() + ", " + sims[2]->devicePath() + ", " +
                               sims[3]->devicePath() + ")");
    const std::vector<std::string> out = linesOf(r.out);
    ASSERT_EQ(out.size(), 4U) << r.out;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_CONTAINS(out[i], "radio " + std::to_string(i + 1) + "  round 1");
        EXPECT_TRUE(holds(*sims[i], master)) << sims[i]->devicePath();
    }
    EXPECT_CONTAINS(out[3], "radio -  round 1  " + sims[3]->devicePath() + " (" + sims[3]->devicePath() +
                                ")  no radio");
}

TEST_F(CliFleet, ARadioOfAnotherModelIsNotWritten) {
    const MemoryImage master = patternImage(3);
    writeImage("master.dat", master);
    SimulatorOptions otherModel;
    otherModel.identity = {'P', '2', '2', '0', '7', 'X', 'Y', 'Z'};
    auto first = radio(patternImage(5));
    auto other = radio(patternImage(6), otherModel);
    openInput();
    answer("\n");
    const RunResult r = run({"fleet", "write", "master.dat", "--port", first->devicePath(), "--port",
                             other->devicePath(), "--count", "1", "--json"});
    EXPECT_EQ(r.exitStatus, 1) << r.err;
    const std::vector<std::string> out = linesOf(r.out);
    ASSERT_EQ(out.size(), 2U) << r.out;
    EXPECT_CONTAINS(out[0], "\"outcome\":\"written\"");
    EXPECT_CONTAINS(out[1], "\"identity\":\"P2207XYZ\",\"outcome\":\"other-identity\"");
    EXPECT_CONTAINS(out[1], "another model: the radio identifies itself as P2207XYZ, the first radio of this "
                            "session as 50 33 32 30 37 00 00 00");
    EXPECT_EQ(other->completedWrites(), 0);

    closeInput();
    openInput();
    answer("\n");
    const RunResult allowed = run({"fleet", "write", "master.dat", "--port", first->devicePath(), "--port",
                                   other->devicePath(), "--count", "1", "--allow-other-model"});
    EXPECT_EQ(allowed.exitStatus, 0) << allowed.err;
    EXPECT_TRUE(holds(*other, master)) << "written when another model is allowed";
}

TEST_F(CliFleet, CheckReportsDriftAndFixWritesOnlyTheDriftedRadio) {
    const MemoryImage master = patternImage(3);
    writeImage("master.dat", master);
    MemoryImage drifted = master;
    drifted.setByte(image::offset::kSquelch,
                    static_cast<uint8_t>(master.byte(image::offset::kSquelch) ^ 0x01));
    struct Case {
        const char* name;
        bool fix;
        int exitStatus;
        const char* driftedOutcome;
        bool driftedWritten;
    };
    const Case cases[] = {
        {"check", false, 1, "\"outcome\":\"drifted\"", false},
        {"check --fix", true, 0, "\"outcome\":\"written\"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto inStep = radio(master);
        auto off = radio(drifted);
        std::vector<std::string> args = {
            "fleet",  "check",           "master.dat", "--port", inStep->devicePath(),
            "--port", off->devicePath(), "--json"};
        if (c.fix) {
            args.push_back("--fix");
        }
        openInput();
        answer("\nq\n");
        const RunResult r = run(args);
        closeInput();
        EXPECT_EQ(r.exitStatus, c.exitStatus) << r.err;
        const std::vector<std::string> out = linesOf(r.out);
        ASSERT_EQ(out.size(), 2U) << r.out;
        EXPECT_CONTAINS(out[0], "\"outcome\":\"in-step\"");
        EXPECT_CONTAINS(out[1], c.driftedOutcome);
        EXPECT_CONTAINS(out[1], "\"changes\":1,\"drift\":[\"");
        EXPECT_EQ(inStep->completedWrites(), 0);
        EXPECT_EQ(off->completedWrites(), c.driftedWritten ? 1 : 0);
        EXPECT_TRUE(holds(*off, c.driftedWritten ? master : drifted));
    }
}

} // namespace
} // namespace clitest
