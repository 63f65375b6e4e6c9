#include "radio/CloneSession.h"

#include "RadioSimulator.h"
#include "platform/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <vector>

namespace {

class RecordingObserver : public ICloneObserver {
public:
    void onProgress(int row) override {
        rows.push_back(row);
        if (onRow) {
            onRow(row);
        }
    }
    bool pump() override {
        ++pumps;
        return cancelNow;
    }
    bool retryAfterCommunicationError() override {
        ++retryQuestions;
        return retry ? retry(retryQuestions) : false;
    }

    std::vector<int> rows;
    int pumps = 0;
    int retryQuestions = 0;
    bool cancelNow = false;
    std::function<void(int)> onRow;
    std::function<bool(int)> retry;
};

// The simulator counts a session once its last answer is on the way, which may be a moment
// after the host has read that answer.
bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) {
        usleep(5000);
    }
    return condition();
}

RadioSimulator::Memory patternedMemory(uint8_t seed) {
    RadioSimulator::Memory m{};
    for (size_t i = 0; i < m.size(); ++i) {
        m[i] = static_cast<uint8_t>(i * 13 + seed);
    }
    return m;
}

// A document image whose rows 51 to 63 hold something a transfer must never touch.
MemoryImage documentImage() {
    MemoryImage img = MemoryImage::newDocument();
    for (size_t i = image::kTransferSize; i < image::kSize; ++i) {
        img.setByte(i, static_cast<uint8_t>(0xA0 ^ i));
    }
    return img;
}

struct Fixture {
    explicit Fixture(SimulatorOptions options = {}) : sim(options) {
        std::string error;
        started = sim.start(&error);
        EXPECT_TRUE(started) << error;
    }
    TransferResult run(TransferDirection dir, MemoryImage& img) {
        CloneSession session(port, observer);
        return session.run(dir, sim.devicePath(), img);
    }
    RadioSimulator sim;
    platform::PosixSerialPort port;
    RecordingObserver observer;
    bool started = false;
};

TEST(CloneSession, FullReadReplacesRowsZeroToFiftyOnly) {
    Fixture f;
    f.sim.setMemory(patternedMemory(5));
    MemoryImage img = documentImage();
    const MemoryImage before = img;

    const TransferResult r = f.run(TransferDirection::Read, img);

    ASSERT_EQ(r.status, TransferStatus::Ok);
    EXPECT_EQ(r.handlerResult(), 0);
    const auto radio = f.sim.memory();
    for (size_t i = 0; i < image::kSize; ++i) {
        const uint8_t expected = i < image::kTransferSize ? radio[i] : before.byte(i);
        ASSERT_EQ(img.byte(i), expected) << "offset " << i;
    }
    std::vector<int> expectedRows;
    for (int row = 1; row <= 51; ++row) {
        expectedRows.push_back(row);
    }
    EXPECT_EQ(f.observer.rows, expectedRows);
    EXPECT_EQ(f.observer.pumps, 6 + 51 * 5);
    EXPECT_TRUE(eventually([&] { return f.sim.completedReads() == 1; }));
    EXPECT_FALSE(f.port.isOpen());
}

TEST(CloneSession, FullWriteSendsRowsZeroToFiftyOnly) {
    Fixture f;
    const RadioSimulator::Memory radioBefore = patternedMemory(77);
    f.sim.setMemory(radioBefore);
    MemoryImage img = documentImage();
    for (size_t i = 0; i < image::kTransferSize; ++i) {
        img.setByte(i, static_cast<uint8_t>(i * 3 + 1));
    }
    const MemoryImage sent = img;

    const TransferResult r = f.run(TransferDirection::Write, img);

    ASSERT_EQ(r.status, TransferStatus::Ok);
    EXPECT_EQ(img, sent);
    const auto radio = f.sim.memory();
    for (size_t i = 0; i < image::kSize; ++i) {
        const uint8_t expected = i < image::kTransferSize ? sent.byte(i) : radioBefore[i];
        ASSERT_EQ(radio[i], expected) << "offset " << i;
    }
    EXPECT_EQ(f.observer.rows.size(), 51u);
    EXPECT_TRUE(eventually([&] { return f.sim.completedWrites() == 1; }));
}

struct FailureCase {
    const char* name;
    TransferDirection direction;
    std::function<void(SimulatorOptions&)> configure;
    TransferStatus status;
    int handlerResult;
    uint16_t frameAddress;
    int rowsDone;
};

TEST(CloneSession, EveryFailureHasItsResultAndLeavesTheImageAlone) {
    const FailureCase cases[] = {
        {"radio switched off", TransferDirection::Read, [](SimulatorOptions& o) { o.ignoreHandshake = true; },
         TransferStatus::CommunicationError, 1, 0, 0},
        {"other radio type", TransferDirection::Read,
         [](SimulatorOptions& o) { o.identity = {'P', '3', '1', '0', '7', 0, 0, 0}; },
         TransferStatus::WrongRadio, 1, 0, 0},
        {"not a P in byte 0", TransferDirection::Write,
         [](SimulatorOptions& o) { o.identity = {'Q', '3', '2', '0', '7', 0, 0, 0}; },
         TransferStatus::WrongRadio, 1, 0, 0},
        {"write frame refused", TransferDirection::Write, [](SimulatorOptions& o) { o.nakAtFrame = 9; },
         TransferStatus::FrameFailed, 0, 9 * 8, 4},
        {"read stalls at frame 6", TransferDirection::Read, [](SimulatorOptions& o) { o.stallAtFrame = 6; },
         TransferStatus::FrameFailed, 0, 6 * 8, 3},
        {"short read reply", TransferDirection::Read, [](SimulatorOptions& o) { o.shortReplyAtFrame = 3; },
         TransferStatus::FrameFailed, 0, 3 * 8, 1},
        {"read acknowledgement refused", TransferDirection::Read,
         [](SimulatorOptions& o) { o.nakAtFrame = 0; }, TransferStatus::FrameFailed, 0, 0, 0},
        {"write stalls at the first frame", TransferDirection::Write,
         [](SimulatorOptions& o) { o.stallAtFrame = 0; }, TransferStatus::FrameFailed, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatorOptions options;
        c.configure(options);
        Fixture f(options);
        f.sim.setMemory(patternedMemory(9));
        MemoryImage img = documentImage();
        const MemoryImage before = img;

        const TransferResult r = f.run(c.direction, img);

        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.handlerResult(), c.handlerResult);
        EXPECT_NE(transferMessageText(r.status, Language::English), "");
        if (c.status == TransferStatus::FrameFailed) {
            EXPECT_EQ(r.frameAddress, c.frameAddress);
            EXPECT_EQ(transferMessageId(r.status), kMsgProgramInterrupt);
        }
        EXPECT_EQ(r.rowsDone, c.rowsDone);
        EXPECT_EQ(img, before);
        EXPECT_FALSE(f.port.isOpen());
    }
}

TEST(CloneSession, IdentityBytesFiveToSevenAreNotExamined) {
    for (char second : {'3', '2'}) {
        SimulatorOptions options;
        options.identity = {'P', static_cast<uint8_t>(second), '2', '0', '7', 0xEE, 0x01, 0x7F};
        Fixture f(options);
        MemoryImage img = documentImage();
        EXPECT_EQ(f.run(TransferDirection::Read, img).status, TransferStatus::Ok) << second;
    }
}

TEST(CloneSession, CancelBeforeTheHandshakeSendsNothing) {
    Fixture f;
    f.observer.cancelNow = true;
    MemoryImage img = documentImage();
    const TransferResult r = f.run(TransferDirection::Write, img);
    EXPECT_EQ(r.status, TransferStatus::Cancelled);
    EXPECT_EQ(r.handlerResult(), 0);
    EXPECT_EQ(f.observer.pumps, 1);
    EXPECT_EQ(f.sim.handshakes(), 0);
    EXPECT_FALSE(f.port.isOpen());
}

TEST(CloneSession, CancelDuringTheFramesStopsAfterThatRowAndKeepsTheImage) {
    Fixture f;
    f.sim.setMemory(patternedMemory(1));
    f.observer.onRow = [&](int row) { f.observer.cancelNow = row == 10; };
    MemoryImage img = documentImage();
    const MemoryImage before = img;

    const TransferResult r = f.run(TransferDirection::Read, img);

    EXPECT_EQ(r.status, TransferStatus::Cancelled);
    EXPECT_EQ(r.rowsDone, 10);
    EXPECT_EQ(f.observer.rows.back(), 10);
    EXPECT_EQ(img, before);
    EXPECT_EQ(f.sim.completedReads(), 0);
}

TEST(CloneSession, RetryAfterAFailedHandshakeKeepsThePortAndSucceeds) {
    SimulatorOptions options;
    options.ignoreHandshake = true;
    Fixture f(options);
    f.sim.setMemory(patternedMemory(3));
    f.observer.retry = [&](int question) {
        EXPECT_TRUE(f.port.isOpen());
        if (question == 2) {
            f.sim.setIgnoreHandshake(false); // the user switched the radio on
        }
        return true;
    };
    MemoryImage img = documentImage();

    const TransferResult r = f.run(TransferDirection::Read, img);

    EXPECT_EQ(r.status, TransferStatus::Ok);
    EXPECT_EQ(f.observer.retryQuestions, 2);
    EXPECT_EQ(f.sim.handshakes(), 3);
    EXPECT_EQ(img.byte(0x100), f.sim.memory()[0x100]);
}

TEST(CloneSession, AnEarlyReplyCountsAsTheAcknowledgementOnTheFirstAttempt) {
    SimulatorOptions options;
    options.earlyReply = true;
    Fixture f(options);
    MemoryImage img = documentImage();
    const TransferResult r = f.run(TransferDirection::Write, img);
    EXPECT_EQ(r.status, TransferStatus::Ok);
    EXPECT_EQ(f.observer.retryQuestions, 0);
}

TEST(CloneSession, MissingDeviceCannotBeOpened) {
    platform::PosixSerialPort port;
    RecordingObserver observer;
    CloneSession session(port, observer);
    MemoryImage img = documentImage();
    const TransferResult r = session.run(TransferDirection::Read, "/dev/does-not-exist-0", img);
    EXPECT_EQ(r.status, TransferStatus::PortOpenFailed);
    EXPECT_EQ(r.portError.error, PortError::NotFound);
    EXPECT_EQ(r.handlerResult(), 1);
    EXPECT_EQ(transferMessageId(r.status), kMsgPortOpenFailed);
    EXPECT_EQ(observer.pumps, 0);
}

TEST(CloneSession, PortHeldByAnotherProcessCannotBeOpened) {
    Fixture f;
    // Another program takes the port with an exclusive lock (flock(1), as scripts do). It is
    // started with posix_spawn: a fork of this threaded process could not safely open the port.
    const std::string device = f.sim.devicePath();
    const char* argv[] = {"flock", "-x", device.c_str(), "sleep", "60", nullptr};
    pid_t holder = 0;
    ASSERT_EQ(posix_spawnp(&holder, "flock", nullptr, nullptr, const_cast<char* const*>(argv), environ), 0);
    bool held = false;
    for (int i = 0; i < 500 && !held; ++i) {
        held = platform::probeSerialPort(device).error == PortError::Busy;
        if (!held) {
            usleep(10000);
        }
    }

    MemoryImage img = documentImage();
    const TransferResult r = f.run(TransferDirection::Read, img);

    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    ASSERT_TRUE(held) << "the other program never held the port";
    EXPECT_EQ(r.status, TransferStatus::PortOpenFailed);
    EXPECT_EQ(r.portError.error, PortError::Busy);
    EXPECT_EQ(f.sim.handshakes(), 0);
}

TEST(CloneSession, MessagesInBothLanguages) {
    EXPECT_EQ(transferMessageText(TransferStatus::CommunicationError, Language::English),
              "Communication Error,Please check all the connections and the radio power");
    EXPECT_EQ(transferMessageText(TransferStatus::WrongRadio, Language::Chinese),
              "对讲机类型不匹配,无法通讯。");
    EXPECT_EQ(transferMessageText(TransferStatus::Cancelled, Language::English), "");
    EXPECT_STREQ(wrongRadioCaption(Language::English), "Caution");
}

} // namespace
