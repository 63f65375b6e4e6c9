// The radio side of the clone protocol, checked from the host's end of the pseudo-terminal.

#include "RadioSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <poll.h>
#include <random>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
const Bytes kHandshake = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
// Silence this long means no answer is coming; a real answer comes within a few byte times.
constexpr int kQuietMs = 60;
constexpr int kAnswerMs = 500;
constexpr double kByteMs = 10.0 / 9.6; // 10 bits at 9600 bit/s

// The host's end of the line, opened as the programmer opens a cable.
class HostLine {
public:
    explicit HostLine(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios tio{};
        if (m_fd >= 0 && ::tcgetattr(m_fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_fd, TCSANOW, &tio);
        }
    }
    ~HostLine() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    bool isOpen() const { return m_fd >= 0; }

    void send(const Bytes& bytes) {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // The handshake goes one byte at a time with 2 ms pauses, as the programmer sends it.
    void sendSlowly(Bytes::const_iterator begin, Bytes::const_iterator end) {
        for (auto it = begin; it != end; ++it) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            send({*it});
        }
    }
    // Up to `count` bytes, or what arrived when `timeoutMs` ran out. `firstAt` and `lastAt`
    // receive the times the first and the last byte were read.
    Bytes receive(size_t count, int timeoutMs, Clock::time_point* firstAt = nullptr,
                  Clock::time_point* lastAt = nullptr) {
        Bytes out;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd pfd = {m_fd, POLLIN, 0};
            if (left.count() < 0 || ::poll(&pfd, 1, static_cast<int>(left.count()) + 1) <= 0) {
                break;
            }
            uint8_t buffer[64];
            const ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, count - out.size()));
            if (n <= 0) {
                break;
            }
            if (out.empty() && firstAt) {
                *firstAt = Clock::now();
            }
            if (lastAt) {
                *lastAt = Clock::now();
            }
            out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }
    void discardInput() { ::tcflush(m_fd, TCIFLUSH); }

private:
    int m_fd;
};

Bytes writeFrame(uint16_t addr, const Bytes& data) {
    Bytes frame = {'W', uint8_t(addr >> 8), uint8_t(addr), 0x08};
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

Bytes readRequest(uint16_t addr) {
    return {'R', uint8_t(addr >> 8), uint8_t(addr), 0x08};
}

Bytes memorySlice(const RadioSimulator::Memory& memory, size_t addr, size_t count) {
    return Bytes(memory.begin() + addr, memory.begin() + addr + count);
}

RadioSimulator::Memory patternedMemory() {
    RadioSimulator::Memory memory;
    for (size_t i = 0; i < memory.size(); ++i) {
        memory[i] = uint8_t(i * 7 + 3);
    }
    return memory;
}

double elapsedMs(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

class RadioSimulatorTest : public ::testing::Test {
protected:
    void start(SimulatorOptions options = {}) {
        m_radio = std::make_unique<RadioSimulator>(std::move(options));
        std::string error;
        ASSERT_TRUE(m_radio->start(&error)) << error;
        m_radio->setMemory(patternedMemory());
        reopen();
    }
    void reopen() {
        m_line.reset();
        m_line = std::make_unique<HostLine>(m_radio->devicePath());
        ASSERT_TRUE(m_line->isOpen()) << m_radio->devicePath();
    }
    Bytes handshake() {
        m_line->sendSlowly(kHandshake.begin(), kHandshake.end());
        return m_line->receive(1, kAnswerMs);
    }
    // Handshake, identification and its acknowledgement, as every transfer begins.
    void openSession() {
        ASSERT_EQ(handshake(), Bytes{kAck});
        m_line->send({0x02});
        ASSERT_EQ(m_line->receive(8, kAnswerMs).size(), 8u);
        m_line->send({kAck});
        ASSERT_EQ(m_line->receive(1, kAnswerMs), Bytes{kAck});
    }
    // The radio's answer to a frame: the acknowledgement of a write; the reply to a read followed
    // by the answer to the host's acknowledgement of it.
    Bytes exchange(bool write, uint16_t addr, const Bytes& data = Bytes(8, 0x42)) {
        if (write) {
            m_line->send(writeFrame(addr, data));
            return m_line->receive(1, kQuietMs);
        }
        m_line->send(readRequest(addr));
        Bytes answer = m_line->receive(12, kQuietMs);
        if (answer.size() == 12) {
            m_line->send({kAck});
            const Bytes ack = m_line->receive(1, kQuietMs);
            answer.insert(answer.end(), ack.begin(), ack.end());
        }
        return answer;
    }

    std::unique_ptr<RadioSimulator> m_radio;
    std::unique_ptr<HostLine> m_line;
};

TEST_F(RadioSimulatorTest, HandshakeIsAcknowledgedOnlyAfterItsEighthByte) {
    start();
    m_line->sendSlowly(kHandshake.begin(), kHandshake.end() - 1);
    EXPECT_TRUE(m_line->receive(1, kQuietMs).empty());
    m_line->sendSlowly(kHandshake.end() - 1, kHandshake.end());
    EXPECT_EQ(m_line->receive(1, kAnswerMs), Bytes{kAck});
    EXPECT_EQ(m_radio->handshakes(), 1);
}

TEST_F(RadioSimulatorTest, EarlyReplyComesAfterTheSeventhByteAndNotAgain) {
    SimulatorOptions options;
    options.earlyReply = true;
    start(options);
    m_line->sendSlowly(kHandshake.begin(), kHandshake.end() - 1);
    EXPECT_EQ(m_line->receive(1, kAnswerMs), Bytes{kAck});
    m_line->sendSlowly(kHandshake.end() - 1, kHandshake.end());
    EXPECT_TRUE(m_line->receive(1, kQuietMs).empty());
    m_line->send({0x02});
    EXPECT_EQ(m_line->receive(8, kAnswerMs).size(), 8u) << "the session goes on after the early reply";
}

TEST_F(RadioSimulatorTest, IgnoredHandshakeIsCountedButNeverAnswered) {
    SimulatorOptions options;
    options.ignoreHandshake = true;
    start(options);
    EXPECT_TRUE(handshake().empty());
    m_line->send({0x02});
    EXPECT_TRUE(m_line->receive(8, kQuietMs).empty());
    EXPECT_TRUE(handshake().empty());
    EXPECT_EQ(m_radio->handshakes(), 2);

    m_radio->setIgnoreHandshake(false); // switched on
    EXPECT_EQ(handshake(), Bytes{kAck});
}

TEST_F(RadioSimulatorTest, IdentificationSendsTheConfiguredIdentity) {
    SimulatorOptions options;
    options.identity = {'P', '2', '2', '0', '7', 0x01, 0xFE, 0x00};
    start(options);
    ASSERT_EQ(handshake(), Bytes{kAck});
    m_line->send({0x02});
    EXPECT_EQ(m_line->receive(8, kAnswerMs), Bytes(options.identity.begin(), options.identity.end()));
    m_line->send({kAck});
    EXPECT_EQ(m_line->receive(1, kAnswerMs), Bytes{kAck});
}

TEST_F(RadioSimulatorTest, WriteFrameStoresItsEightBytesOnly) {
    start();
    ASSERT_NO_FATAL_FAILURE(openSession());
    const Bytes data = {1, 2, 3, 4, 5, 6, 7, 8};
    // 0x03F8 is the last frame the memory can hold, beyond the 816 bytes a transfer moves.
    for (uint16_t addr : {uint16_t(0x0120), uint16_t(0x03F8)}) {
        EXPECT_EQ(exchange(true, addr, data), Bytes{kAck});
        const auto memory = m_radio->memory();
        EXPECT_EQ(memorySlice(memory, addr, 8), data);
        EXPECT_EQ(memory[addr - 1], patternedMemory()[addr - 1]);
        if (addr + 8u < memory.size()) {
            EXPECT_EQ(memory[addr + 8], patternedMemory()[addr + 8]);
        }
    }
}

TEST_F(RadioSimulatorTest, ReadReplyCarriesHeaderAndMemoryAndLastFrameCompletesTheRead) {
    start();
    ASSERT_NO_FATAL_FAILURE(openSession());
    const auto memory = patternedMemory();
    for (uint16_t addr : {uint16_t(0x0000), uint16_t(0x0328)}) {
        Bytes expected = {'W', uint8_t(addr >> 8), uint8_t(addr), 0x08};
        const Bytes stored = memorySlice(memory, addr, 8);
        expected.insert(expected.end(), stored.begin(), stored.end());
        expected.push_back(kAck);
        EXPECT_EQ(exchange(false, addr), expected);
        EXPECT_EQ(m_radio->completedReads(), addr == 0x0328 ? 1 : 0);
    }
}

TEST_F(RadioSimulatorTest, MalformedFramesAreIgnoredAndNotCounted) {
    SimulatorOptions options;
    options.nakAtFrame = 0; // tells which frame the radio takes as the session's first
    start(options);
    ASSERT_NO_FATAL_FAILURE(openSession());
    const std::vector<std::pair<const char*, Bytes>> frames = {
        {"length byte not 8", {'W', 0x00, 0x10, 0x07, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"write past the end", writeFrame(0x03F9, Bytes(8, 0x00))},
        {"read past the end", readRequest(0x03FC)},
        {"read at 0xFFF8", readRequest(0xFFF8)},
    };
    for (const auto& [name, frame] : frames) {
        m_line->send(frame);
        EXPECT_TRUE(m_line->receive(1, kQuietMs).empty()) << name;
    }
    EXPECT_EQ(m_radio->memory(), patternedMemory());
    EXPECT_EQ(exchange(true, 0x0010), Bytes{kNak});
}

struct FaultCase {
    const char* name;
    SimulatorOptions options;
    bool write;
    // The answer to frame 1 is the first `keep` bytes of the normal answer, with the last one
    // replaced by `lastByte` unless that is -1.
    size_t keep;
    int lastByte;
    bool silentAfter; // the frame after it is not answered either
};

void PrintTo(const FaultCase& fault, std::ostream* os) {
    *os << fault.name;
}

SimulatorOptions withFault(int SimulatorOptions::*field) {
    SimulatorOptions options;
    options.*field = 1;
    return options;
}

const FaultCase kFaultCases[] = {
    {"StallOnWrite", withFault(&SimulatorOptions::stallAtFrame), true, 0, -1, true},
    {"StallOnRead", withFault(&SimulatorOptions::stallAtFrame), false, 0, -1, true},
    {"NakOnWrite", withFault(&SimulatorOptions::nakAtFrame), true, 1, kNak, false},
    {"NakOnReadAcknowledgement", withFault(&SimulatorOptions::nakAtFrame), false, 13, kNak, false},
    {"ShortReadReply", withFault(&SimulatorOptions::shortReplyAtFrame), false, 6, -1, false},
};

class RadioSimulatorFault : public RadioSimulatorTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RadioSimulatorFault, HitsItsFrameOnlyAndANewHandshakeStartsAfresh) {
    const FaultCase& fault = GetParam();
    start(fault.options);
    ASSERT_NO_FATAL_FAILURE(openSession());
    const Bytes first = exchange(fault.write, 0x0000);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back(), kAck);

    Bytes expected = {kAck};
    if (!fault.write) {
        expected = {'W', 0x00, 0x08, 0x08};
        const Bytes stored = memorySlice(patternedMemory(), 0x0008, 8);
        expected.insert(expected.end(), stored.begin(), stored.end());
        expected.push_back(kAck);
    }
    expected.resize(fault.keep);
    if (fault.lastByte >= 0) {
        expected.back() = uint8_t(fault.lastByte);
    }
    EXPECT_EQ(exchange(fault.write, 0x0008), expected);
    if (fault.write) {
        EXPECT_EQ(m_radio->memory()[0x0008], patternedMemory()[0x0008]) << "a failed write stores nothing";
    }
    if (fault.silentAfter) {
        EXPECT_TRUE(exchange(fault.write, 0x0010).empty());
    }

    m_line->discardInput();
    ASSERT_NO_FATAL_FAILURE(openSession());
    EXPECT_EQ(exchange(fault.write, 0x0008).back(), kAck) << "the fault belongs to one session";
}

INSTANTIATE_TEST_SUITE_P(Faults, RadioSimulatorFault, ::testing::ValuesIn(kFaultCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(RadioSimulatorTest, HandshakeAfterAnAbandonedFrameStartsANewSession) {
    start();
    ASSERT_NO_FATAL_FAILURE(openSession());
    m_line->send({'W', 0x00, 0x10}); // the host gave up three bytes into a write frame
    ASSERT_NO_FATAL_FAILURE(openSession());
    EXPECT_EQ(m_radio->handshakes(), 2);
}

TEST_F(RadioSimulatorTest, GarbageDoesNotStopTheRadio) {
    start();
    // Half the bytes are the protocol's own, so that stray commands, lengths and handshake
    // fragments turn up. 256 bytes take about 0.27 s on the line.
    const Bytes alphabet = {0x02, 'W', 'R', 0x06, 0x08, 0x00, 0x03, 'P', 'M', 0x15};
    std::mt19937 random(7);
    Bytes garbage(256);
    for (auto& byte : garbage) {
        byte = random() % 2 ? alphabet[random() % alphabet.size()] : uint8_t(random());
    }
    const auto sendGarbage = [&] {
        m_line->send(garbage);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        m_line->discardInput();
    };
    sendGarbage(); // before any session
    ASSERT_NO_FATAL_FAILURE(openSession());
    sendGarbage(); // inside one
    ASSERT_NO_FATAL_FAILURE(openSession());
    EXPECT_EQ(exchange(false, 0x0100).size(), 13u);
}

TEST_F(RadioSimulatorTest, SessionsFollowOneAnotherAcrossReopens) {
    start();
    for (int session = 0; session < 2; ++session) {
        ASSERT_NO_FATAL_FAILURE(reopen());
        ASSERT_NO_FATAL_FAILURE(openSession());
        EXPECT_EQ(exchange(false, 0x0328).back(), kAck);
    }
    EXPECT_EQ(m_radio->handshakes(), 2);
    EXPECT_EQ(m_radio->completedReads(), 2);
}

TEST_F(RadioSimulatorTest, CompletedWriteIsCountedAndSavedBeforeTheLastAcknowledgement) {
    const fs::path dir = fs::temp_directory_path() / ("radio-sim-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    SimulatorOptions options;
    options.saveFile = (dir / "saved.dat").string();
    start(options);
    ASSERT_NO_FATAL_FAILURE(openSession());

    auto expected = patternedMemory();
    for (uint16_t addr = 0; addr <= 0x0328; addr += 8) {
        Bytes data(8);
        for (size_t i = 0; i < data.size(); ++i) {
            data[i] = uint8_t(0xFF - addr - i);
        }
        std::copy(data.begin(), data.end(), expected.begin() + addr);
        ASSERT_EQ(exchange(true, addr, data), Bytes{kAck}) << "frame at " << addr;
        if (addr == 0x0320) {
            EXPECT_EQ(m_radio->completedWrites(), 0);
            EXPECT_FALSE(fs::exists(options.saveFile));
        }
    }
    // No waiting: a host that has the last acknowledgement finds the write counted and saved.
    EXPECT_EQ(m_radio->completedWrites(), 1);
    ASSERT_TRUE(fs::exists(options.saveFile));
    std::ifstream in(options.saveFile, std::ios::binary);
    const Bytes saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(saved, Bytes(expected.begin(), expected.end())) << "rows 51 to 63 keep what they held";
    fs::remove_all(dir);
}

// Each reply waits for the request's bytes to cross the line and for its own first byte to
// cross back: at least (request bytes + 1) byte times after the host's write.
TEST_F(RadioSimulatorTest, RepliesComeNoSoonerThanOnA9600BaudLine) {
    start();
    struct Step {
        const char* name;
        Bytes before; // sent first, untimed
        Bytes request;
        size_t replySize;
    };
    const Step steps[] = {
        {"handshake", Bytes(kHandshake.begin(), kHandshake.end() - 1), {'M'}, 1},
        {"identification", {}, {0x02}, 8},
        {"identification ack", {}, {kAck}, 1},
        {"read request", {}, readRequest(0x0040), 12},
        {"read ack", {}, {kAck}, 1},
        {"write frame", {}, writeFrame(0x0040, Bytes(8, 0)), 1},
    };
    for (const Step& step : steps) {
        m_line->sendSlowly(step.before.begin(), step.before.end());
        const auto sentAt = Clock::now();
        m_line->send(step.request);
        Clock::time_point firstAt;
        ASSERT_EQ(m_line->receive(step.replySize, kAnswerMs, &firstAt).size(), step.replySize) << step.name;
        EXPECT_GE(elapsedMs(sentAt, firstAt), double(step.request.size() + 1) * kByteMs) << step.name;
    }
}

TEST_F(RadioSimulatorTest, PacedReplySpreadsItsBytesAtTheBaudRate) {
    SimulatorOptions options;
    options.paced = true;
    start(options);
    ASSERT_NO_FATAL_FAILURE(openSession());
    const Clock::time_point sentAt = Clock::now();
    m_line->send(readRequest(0x0000));
    Clock::time_point firstAt;
    Clock::time_point lastAt;
    ASSERT_EQ(m_line->receive(12, kAnswerMs, &firstAt, &lastAt).size(), 12u);
    // The request takes four byte times to arrive and the reply twelve to leave. A late reader
    // only makes this longer, so the bound holds on a busy machine too.
    EXPECT_GE(elapsedMs(sentAt, lastAt), 15.5 * kByteMs);
}

TEST(RadioSimulatorMemory, LoadsOnlyAFileOfExactly1024Bytes) {
    const fs::path dir = fs::temp_directory_path() / ("radio-sim-load-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    struct Case {
        const char* name;
        long size; // -1: no file at all
        bool loads;
    };
    for (const Case& c :
         {Case{"exact", 1024, true}, Case{"one short", 1023, false}, Case{"one over", 1025, false},
          Case{"empty", 0, false}, Case{"missing", -1, false}}) {
        const fs::path path = dir / (std::string(c.name) + ".dat");
        if (c.size >= 0) {
            std::ofstream(path, std::ios::binary) << std::string(size_t(c.size), '\x5A');
        }
        RadioSimulator radio;
        std::string error;
        EXPECT_EQ(radio.loadMemory(path.string(), &error), c.loads) << c.name;
        const auto memory = radio.memory();
        const uint8_t expectedByte = c.loads ? 0x5A : 0xFF; // a failed load leaves the memory erased
        EXPECT_EQ(memory.front(), expectedByte) << c.name;
        EXPECT_EQ(memory.back(), expectedByte) << c.name;
        if (!c.loads) {
            EXPECT_NE(error.find(path.string()), std::string::npos) << c.name << ": " << error;
        }
    }
    fs::remove_all(dir);
}

} // namespace
