#include "platform/PosixSerialPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using platform::PosixSerialPort;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

namespace {

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A pseudo-terminal whose master side the test holds; the port under test opens the slave as it
// would open a cable.
class PseudoTerminal {
public:
    PseudoTerminal() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
            return;
        }
        termios tio{};
        ::tcgetattr(m_master, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_master, TCSANOW, &tio);
        m_slavePath = ::ptsname(m_master);
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool valid() const { return m_master >= 0 && !m_slavePath.empty(); }
    const std::string& slavePath() const { return m_slavePath; }

    void send(const Bytes& bytes) const {
        ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    // What the port has sent, collected until `count` bytes or until nothing more comes for
    // `quietMs`.
    Bytes receive(size_t count, int quietMs = 200) const {
        Bytes bytes;
        while (bytes.size() < count) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, quietMs) <= 0) {
                break;
            }
            uint8_t chunk[512];
            const ssize_t n = ::read(m_master, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (n <= 0) {
                break;
            }
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

    void closeMaster() {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }

private:
    int m_master = -1;
    std::string m_slavePath;
};

class SerialPortTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pty.valid()) << "no pseudo-terminal: " << std::strerror(errno);
        m_dir = fs::temp_directory_path() / ("serialport-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    void openPort() { ASSERT_TRUE(m_port.open(m_pty.slavePath())) << m_pty.slavePath(); }

    PseudoTerminal m_pty;
    PosixSerialPort m_port;
    fs::path m_dir;
};

// ---- opening ----------------------------------------------------------------------------------

TEST_F(SerialPortTest, OpenResetsWhateverLineSettingsWereLeftToRaw9600_8N1) {
    // A descriptor of our own, opened before the port takes the line, shows its settings.
    const int spy = ::open(m_pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(spy, 0);
    termios dirty{};
    ASSERT_EQ(::tcgetattr(spy, &dirty), 0);
    ::cfsetispeed(&dirty, B1200);
    ::cfsetospeed(&dirty, B1200);
    dirty.c_cflag = (dirty.c_cflag & ~CSIZE) | CS7 | PARENB | PARODD | CSTOPB | CRTSCTS;
    dirty.c_iflag |= IXON | IXOFF | ICRNL | ISTRIP;
    dirty.c_oflag |= OPOST | ONLCR;
    dirty.c_lflag |= ICANON | ECHO | ISIG;
    ASSERT_EQ(::tcsetattr(spy, TCSANOW, &dirty), 0);

    openPort();
    termios tio{};
    ASSERT_EQ(::tcgetattr(spy, &tio), 0);
    ::close(spy);

    EXPECT_EQ(::cfgetispeed(&tio), speed_t(B9600));
    EXPECT_EQ(::cfgetospeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST_F(SerialPortTest, EveryByteValuePassesUnchangedBothWays) {
    openPort();
    Bytes all(256);
    for (size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<uint8_t>(i);
    }

    m_pty.send(all);
    Bytes got(all.size());
    const auto start = Clock::now();
    const PortReadResult read = m_port.read(got.data(), got.size());
    EXPECT_LT(msSince(start), 1000); // returns once all have come, not after the 12.89 s time-out
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.count, all.size());
    EXPECT_EQ(got, all);

    ASSERT_TRUE(m_port.write(all.data(), all.size()));
    EXPECT_EQ(m_pty.receive(all.size()), all);
}

struct OpenFailureRow {
    const char* name;
    std::function<std::string(const fs::path& dir)> makePath;
    PortError expected;
};
void PrintTo(const OpenFailureRow& row, std::ostream* os) {
    *os << row.name;
}

class SerialPortOpenFailure : public SerialPortTest, public testing::WithParamInterface<OpenFailureRow> {};

TEST_P(SerialPortOpenFailure, ReportsKindAndSystemReason) {
    const std::string path = GetParam().makePath(m_dir);
    const PortOpenResult result = m_port.open(path);
    EXPECT_EQ(result.error, GetParam().expected) << path << ": " << result.detail;
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.detail.empty());
    EXPECT_FALSE(m_port.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SerialPortOpenFailure,
    testing::Values(
        OpenFailureRow{"MissingDevice", [](const fs::path& dir) { return (dir / "ttyUSB7").string(); },
                       PortError::NotFound},
        OpenFailureRow{"MissingFolder",
                       [](const fs::path& dir) { return (dir / "nowhere" / "ttyUSB0").string(); },
                       PortError::NotFound},
        OpenFailureRow{"RegularFile",
                       [](const fs::path& dir) {
                           const fs::path file = dir / "image.dat";
                           std::ofstream(file) << "not a port";
                           return file.string();
                       },
                       PortError::NotSerial},
        OpenFailureRow{"CharacterDeviceThatIsNoTerminal",
                       [](const fs::path&) { return std::string("/dev/null"); }, PortError::NotSerial},
        OpenFailureRow{"Folder", [](const fs::path& dir) { return dir.string(); }, PortError::NotSerial}),
    [](const testing::TestParamInfo<OpenFailureRow>& row) { return std::string(row.param.name); });

TEST_F(SerialPortTest, PortHeldInThisProcessIsBusy) {
    openPort();
    PosixSerialPort second;
    const PortOpenResult result = second.open(m_pty.slavePath());
    EXPECT_EQ(result.error, PortError::Busy) << result.detail;
    EXPECT_FALSE(second.isOpen());
    EXPECT_TRUE(m_port.isOpen()); // the failed attempt leaves the holder alone
}

// Run as root too: TIOCEXCL does not stop root, so only the lock turns the second program away.
TEST_F(SerialPortTest, PortHeldByAnotherProcessIsBusy) {
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        PosixSerialPort holder;
        const char opened = holder.open(m_pty.slavePath()) ? '1' : '0';
        (void)!::write(ready[1], &opened, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1); // returns when the parent closes its end
        holder.close();
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char opened = 0;
    ASSERT_EQ(::read(ready[0], &opened, 1), 1);
    ::close(ready[0]);

    const PortOpenResult whileHeld = m_port.open(m_pty.slavePath());

    ::close(release[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(opened, '1') << "the other process could not open the port";
    EXPECT_EQ(whileHeld.error, PortError::Busy) << whileHeld.detail;

    // Once the other program has let go, the port is free again.
    EXPECT_TRUE(m_port.open(m_pty.slavePath()));
}

TEST_F(SerialPortTest, ClosedPortCanBeOpenedAgain) {
    openPort();
    m_port.close();
    EXPECT_FALSE(m_port.isOpen());
    PosixSerialPort other;
    const PortOpenResult result = other.open(m_pty.slavePath());
    EXPECT_TRUE(result) << result.detail;
}

TEST_F(SerialPortTest, ProbeLeavesThePortFreeAndSeesAHeldOneAsBusy) {
    EXPECT_TRUE(platform::probeSerialPort(m_pty.slavePath()));
    openPort();
    EXPECT_EQ(platform::probeSerialPort(m_pty.slavePath()).error, PortError::Busy);
}

TEST_F(SerialPortTest, PortWithoutAccessIsPermissionDenied) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root, which may open any device; run as an ordinary user to test this";
    }
    ASSERT_EQ(::chmod(m_pty.slavePath().c_str(), 0), 0);
    const PortOpenResult result = m_port.open(m_pty.slavePath());
    EXPECT_EQ(result.error, PortError::PermissionDenied) << result.detail;
}

// ---- read time-outs ---------------------------------------------------------------------------
// The accepted ranges are wide on the late side: a loaded machine may wake a poll late, never early.

struct SilentReadRow {
    const char* name;
    size_t count;
    long long minMs; // the time-out is 50 * count + 90 ms
    long long maxMs;
};
void PrintTo(const SilentReadRow& row, std::ostream* os) {
    *os << row.name;
}

class SerialPortSilentRead : public SerialPortTest, public testing::WithParamInterface<SilentReadRow> {};

TEST_P(SerialPortSilentRead, GivesUpAfterTheTotalTimeOut) {
    openPort();
    Bytes buffer(GetParam().count);
    const auto start = Clock::now();
    const PortReadResult result = m_port.read(buffer.data(), buffer.size());
    const long long elapsed = msSince(start);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.count, 0u);
    EXPECT_GE(elapsed, GetParam().minMs);
    EXPECT_LE(elapsed, GetParam().maxMs);
}

INSTANTIATE_TEST_SUITE_P(Counts, SerialPortSilentRead,
                         testing::Values(SilentReadRow{"OneByte", 1, 135, 350},
                                         SilentReadRow{"OneFrame", 8, 485, 700}),
                         [](const testing::TestParamInfo<SilentReadRow>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(SerialPortTest, ReadTakesNoMoreThanAskedAndKeepsTheRest) {
    openPort();
    m_pty.send({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    Bytes first(8);
    EXPECT_EQ(m_port.read(first.data(), first.size()).count, 8u);
    Bytes rest(8, 0);
    const PortReadResult result = m_port.read(rest.data(), rest.size());
    EXPECT_EQ(result.count, 4u);
    EXPECT_EQ(Bytes(rest.begin(), rest.begin() + 4), Bytes({9, 10, 11, 12}));
}

TEST_F(SerialPortTest, SilenceAfterTheLastByteEndsAShortReplyEarly) {
    openPort();
    m_pty.send({0x50, 0x33, 0x32});
    Bytes buffer(8);
    const auto start = Clock::now();
    const PortReadResult result = m_port.read(buffer.data(), buffer.size());
    const long long elapsed = msSince(start);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.count, 3u);
    EXPECT_GE(elapsed, 25);
    EXPECT_LT(elapsed, 300); // the total time-out would be 490 ms
}

TEST_F(SerialPortTest, InterByteTimeOutStartsOnlyWithTheFirstByte) {
    openPort();
    std::thread radio([this] {
        sleepMs(120); // longer than the 30 ms interval: a reply that takes a while to start
        m_pty.send({0x06});
    });
    Bytes buffer(8);
    const auto start = Clock::now();
    const PortReadResult result = m_port.read(buffer.data(), buffer.size());
    const long long elapsed = msSince(start);
    radio.join();
    EXPECT_EQ(result.count, 1u);
    EXPECT_GE(elapsed, 115);
    EXPECT_LT(elapsed, 450);
}

TEST_F(SerialPortTest, BytesArrivingInPiecesCloserThanTheIntervalAreCollected) {
    openPort();
    std::thread radio([this] {
        for (uint8_t piece = 0; piece < 4; ++piece) {
            m_pty.send({static_cast<uint8_t>(2 * piece), static_cast<uint8_t>(2 * piece + 1)});
            sleepMs(8);
        }
    });
    Bytes buffer(8);
    const PortReadResult result = m_port.read(buffer.data(), buffer.size());
    radio.join();
    EXPECT_EQ(result.count, 8u);
    EXPECT_EQ(buffer, Bytes({0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(SerialPortTest, ReadFailsPromptlyWhenTheOtherSideHangsUp) {
    openPort();
    m_pty.closeMaster();
    Bytes buffer(8);
    const auto start = Clock::now();
    const PortReadResult result = m_port.read(buffer.data(), buffer.size());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.count, 0u);
    EXPECT_LT(msSince(start), 300);
}

// ---- purges -----------------------------------------------------------------------------------

TEST_F(SerialPortTest, ClearDropsReceivedInputButDeliversWhatWasWritten) {
    openPort();
    m_pty.send({0xAA, 0xBB, 0xCC});
    sleepMs(50); // let the terminal move the bytes into the port's input queue
    const Bytes ack = {0x06};
    ASSERT_TRUE(m_port.write(ack.data(), ack.size()));
    m_port.clear();

    EXPECT_EQ(m_pty.receive(1), ack);
    uint8_t byte = 0;
    EXPECT_EQ(m_port.read(&byte, 1).count, 0u);

    // The line still works after the clear.
    m_pty.send({0x42});
    EXPECT_EQ(m_port.read(&byte, 1).count, 1u);
    EXPECT_EQ(byte, 0x42);
}

TEST_F(SerialPortTest, PurgeDropsReceivedInput) {
    openPort();
    m_pty.send({0xAA, 0xBB, 0xCC});
    sleepMs(50);
    m_port.purge();
    uint8_t byte = 0;
    EXPECT_EQ(m_port.read(&byte, 1).count, 0u);

    m_pty.send({0x42});
    EXPECT_EQ(m_port.read(&byte, 1).count, 1u);
    EXPECT_EQ(byte, 0x42);
}

// ---- signals and a line that never drains --------------------------------------------------

void onTestSignal(int) {}

// Interrupts the thread that made it with SIGUSR1 every `everyMs`, for at most `forMs`; the
// handler is installed without SA_RESTART, so every signal ends a waiting poll() with EINTR.
class SignalRain {
public:
    SignalRain(int everyMs, int forMs) : m_target(::pthread_self()) {
        struct sigaction action {};
        action.sa_handler = onTestSignal;
        ::sigemptyset(&action.sa_mask);
        ::sigaction(SIGUSR1, &action, &m_old);
        m_thread = std::thread([this, everyMs, forMs] {
            const auto end = Clock::now() + std::chrono::milliseconds(forMs);
            while (!m_stop && Clock::now() < end) {
                sleepMs(everyMs);
                ::pthread_kill(m_target, SIGUSR1);
                ++m_sent;
            }
        });
    }
    ~SignalRain() {
        m_stop = true;
        m_thread.join();
        ::sigaction(SIGUSR1, &m_old, nullptr);
    }
    int sent() const { return m_sent; }

private:
    pthread_t m_target;
    struct sigaction m_old {};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_sent{0};
    std::thread m_thread;
};

TEST_F(SerialPortTest, SignalsDuringASilentReadDoNotLengthenItsTimeOut) {
    openPort();
    uint8_t byte = 0;
    const auto start = Clock::now();
    PortReadResult result;
    int signals = 0;
    {
        // A signal every 20 ms: a wait that started its 140 ms afresh after each one would
        // never end before the rain stops after two seconds.
        SignalRain rain(20, 2000);
        result = m_port.read(&byte, 1);
        signals = rain.sent();
    }
    const long long elapsed = msSince(start);
    EXPECT_GE(signals, 3);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.count, 0u);
    EXPECT_GE(elapsed, 135);
    EXPECT_LE(elapsed, 400);
}

struct DrainRow {
    const char* name;
    std::vector<int> queue; // what successive TIOCOUTQ calls report; the last one repeats
    bool drained;
    long long maxMs;
};
void PrintTo(const DrainRow& row, std::ostream* os) {
    *os << row.name;
}

class OutputDrain : public testing::TestWithParam<DrainRow> {};

TEST_P(OutputDrain, WaitsNoLongerThanTheQueuedBytesTakePlusAMargin) {
    const DrainRow& row = GetParam();
    size_t calls = 0;
    const auto start = Clock::now();
    const bool drained =
        platform::waitForOutputDrained([&] { return row.queue[std::min(calls++, row.queue.size() - 1)]; });
    EXPECT_EQ(drained, row.drained);
    EXPECT_LE(msSince(start), row.maxMs);
}

INSTANTIATE_TEST_SUITE_P(
    Queues, OutputDrain,
    testing::Values(DrainRow{"EmptyAtOnce", {0}, true, 5}, DrainRow{"CannotTell", {-1}, true, 5},
                    DrainRow{"DrainsAtLineSpeed", {12, 8, 4, 0}, true, 80},
                    // 100 bytes take 104 ms at 9600 baud; a stopped line gives up after 50 ms more.
                    DrainRow{"NeverDrains", {100}, false, 154 + 60},
                    DrainRow{"GrowsInstead", {1, 500}, false, 51 + 60}),
    [](const testing::TestParamInfo<DrainRow>& row) { return std::string(row.param.name); });

} // namespace
