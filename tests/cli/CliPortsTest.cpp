// radioprog ports, ports --json and ports --watch over fake device trees (RADIO_DEVICE_ROOT) and
// pseudo-terminals held like ports other programs use; the lock file a transfer keeps.

#include "CliTestSupport.h"
#include "HeldTerminal.h"
#include "MiniJson.h"

#include "RadioSimulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace clitest {
namespace {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Waits up to `ms` for `done()`.
template <typename Condition> bool waitFor(Condition done, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (done()) {
            return true;
        }
        sleepMs(10);
    }
    return done();
}

bool sameSettings(const termios& a, const termios& b) {
    return ::cfgetospeed(&a) == ::cfgetospeed(&b) && a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag &&
           a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

class CliPorts : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        m_extraEnvironment.push_back("RADIO_DEVICE_ROOT=" + root(""));
        fs::create_directories(root("/run/lock"));
        fs::create_directories(root("/proc/1"));
    }
    std::string root(const std::string& absolute) const { return path("devices") + absolute; }
    void file(const std::string& absolute, const std::string& text = "") const {
        fs::create_directories(fs::path(root(absolute)).parent_path());
        std::ofstream(root(absolute), std::ios::binary) << text;
    }
    void link(const std::string& absolute, const std::string& target) const {
        fs::create_directories(fs::path(root(absolute)).parent_path());
        fs::create_symlink(target, root(absolute));
    }
    // A CH340 cable on USB port 1-1 whose tty leads to `terminal` (a pseudo-terminal), or an
    // adapter without a tty when `terminal` is empty.
    void ch340(const std::string& port, const std::string& tty, const std::string& terminal) const {
        const std::string usb = "/sys/devices/pci0000:00/0000:00:14.0/usb1/" + port;
        file(usb + "/idVendor", "1a86\n");
        file(usb + "/idProduct", "7523\n");
        file(usb + "/product", "USB Serial\n");
        file(usb + "/serial", "");
        file(usb + "/" + port + ":1.0/bInterfaceNumber", "00\n");
        link(usb + "/" + port + ":1.0/driver", "../../../../../../bus/usb/drivers/ch341");
        link("/sys/bus/usb/devices/" + port, "../../../devices/pci0000:00/0000:00:14.0/usb1/" + port);
        if (terminal.empty()) {
            return;
        }
        const std::string ttyFolder = usb + "/" + port + ":1.0/" + tty;
        fs::create_directories(root(ttyFolder + "/tty/" + tty));
        link(ttyFolder + "/tty/" + tty + "/device", "../../../" + tty);
        link("/sys/class/tty/" + tty, "../../devices/pci0000:00/0000:00:14.0/usb1/" + port + "/" + port +
                                          ":1.0/" + tty + "/tty/" + tty);
        link("/dev/" + tty, terminal);
        link("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", "../../" + tty);
    }
    // A cable on COM1 that minicom holds through a lock file, and an adapter without a tty.
    void busyCableAndBareAdapter(const HeldTerminal& held) const {
        ch340("1-1", "ttyUSB0", held.path());
        ch340("1-2", "", "");
        file("/run/lock/LCK..ttyUSB0", "      4242\n");
        file("/proc/4242/comm", "minicom\n");
    }
    void unplug(const std::string& tty) const {
        fs::remove(root("/dev/" + tty));
        fs::remove(root("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0"));
    }
};

TEST_F(CliPorts, ListsEachComNameWithItsCableItsHolderAndAdaptersWithoutTty) {
    HeldTerminal held;
    ASSERT_TRUE(held.valid());
    busyCableAndBareAdapter(held);
    file("/proc/77/comm", "brltty\n");

    const RunResult r = run({"ports"});

    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out,
                    "COM1  /dev/ttyUSB0  cannot be opened: locked by /run/lock/LCK..ttyUSB0; minicom (PID "
                    "4242) is using the port; close it and try again\n"
                    "      USB Serial (1a86:7523, ch341)\n"
                    "      /dev/serial/by-id/usb-1a86_USB_Serial-if00-port0\n");
    EXPECT_CONTAINS(r.out, "COM2  -             no serial device\n");
    EXPECT_CONTAINS(r.out,
                    "USB adapter without a serial port at /sys/devices/pci0000:00/0000:00:14.0/usb1/1-2\n");
    EXPECT_CONTAINS(r.out, "sudo apt remove brltty");
}

TEST_F(CliPorts, JsonHoldsTheSameForScripts) {
    HeldTerminal held;
    ASSERT_TRUE(held.valid());
    busyCableAndBareAdapter(held);

    const RunResult r = run({"ports", "--json"});

    ASSERT_EQ(r.exitStatus, 0) << r.err;
    minijson::Reader reader(r.out);
    const std::optional<minijson::Value> doc = reader.parse();
    ASSERT_TRUE(doc) << reader.error() << "\n" << r.out;
    const minijson::Value& com1 = (*doc)["ports"][0];
    EXPECT_EQ(com1["name"].text, "COM1");
    EXPECT_EQ(com1["device"].text, "/dev/ttyUSB0");
    EXPECT_EQ(com1["usable"].kind, minijson::Value::Kind::Bool);
    EXPECT_FALSE(com1["usable"].boolean);
    EXPECT_EQ(com1["state"].text, "busy");
    EXPECT_EQ(com1["reason"].text, "locked by /run/lock/LCK..ttyUSB0");
    EXPECT_CONTAINS(com1["advice"].text, "minicom (PID 4242)");
    EXPECT_EQ(com1["holder"]["pid"].number, 4242);
    EXPECT_EQ(com1["holder"]["command"].text, "minicom");
    EXPECT_EQ(com1["usb"]["vendor_id"].text, "1a86");
    EXPECT_EQ(com1["usb"]["product_id"].text, "7523");
    EXPECT_EQ(com1["usb"]["product"].text, "USB Serial");
    EXPECT_EQ(com1["usb"]["driver"].text, "ch341");
    EXPECT_EQ(com1["usb"]["by_id"].text, "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0");

    const minijson::Value& com4 = (*doc)["ports"][3];
    EXPECT_EQ(com4["device"].kind, minijson::Value::Kind::Null);
    EXPECT_EQ(com4["state"].text, "not_found");
    EXPECT_EQ(com4["holder"].kind, minijson::Value::Kind::Null);
    EXPECT_EQ(com4["usb"].kind, minijson::Value::Kind::Null);

    ASSERT_EQ((*doc)["adapters_without_tty"].items.size(), 1u);
    EXPECT_EQ((*doc)["adapters_without_tty"][0]["vendor_id"].text, "1a86");
    EXPECT_FALSE((*doc)["adapters_without_tty"][0]["brltty_running"].boolean);
    EXPECT_CONTAINS((*doc)["adapters_without_tty"][0]["advice"].text, "ch341");
}

// The fault this pins: listing the ports used to open each one as a transfer does (raw, 9600
// baud, input flushed), so a program holding one found it changed under it.
TEST_F(CliPorts, ListingLeavesATerminalAnotherProgramHoldsAsItWas) {
    m_extraEnvironment.clear(); // the machine's own device files
    HeldTerminal held;
    ASSERT_TRUE(held.valid());
    held.sendUnreadLine("+CMTI: \"SM\",3\n");
    setProgramIni(std::string(kTestIni) + "COM2=" + held.path() + "\r\n");
    const termios before = held.settings();
    const int unread = held.unreadBytes();
    ASSERT_GT(unread, 0);

    const RunResult r = run({"ports"});

    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out, "COM2  " + held.path());
    EXPECT_TRUE(sameSettings(held.settings(), before));
    EXPECT_EQ(::cfgetospeed(&before), speed_t(B115200));
    EXPECT_EQ(held.unreadBytes(), unread);
}

TEST_F(CliPorts, WatchTellsWhichDeviceWentAndCameBack) {
    const std::string usb = "USB Serial (1a86:7523, ch341)";
    const std::string byId = "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0";
    const auto text = [&](const char* event) { return std::string(event) + ": /dev/ttyUSB0  " + usb + "\n"; };
    const auto json = [&](const char* event) {
        return "{\"event\":\"" + std::string(event) + "\",\"device\":\"/dev/ttyUSB0\",\"description\":\"" +
               usb + "\"}\n";
    };
    struct Case {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"ports", "--watch"},
         "Unplug the programming cable and plug it back in (Ctrl+C stops).\n" + text("present") +
             text("gone") + text("came") +
             "the cable is /dev/ttyUSB0, COM1\nto keep a COM name for this cable, put COMn=" + byId +
             " in [Setup] of Program.ini\n"},
        // JSON lines: one object a line, and nothing else on stdout.
        {{"ports", "--watch", "--json"},
         json("present") + json("gone") + json("came") +
             "{\"event\":\"cable\",\"device\":\"/dev/ttyUSB0\",\"name\":\"COM1\",\"by_id\":\"" + byId +
             "\"}\n"},
    };
    HeldTerminal held;
    ASSERT_TRUE(held.valid());
    ch340("1-1", "ttyUSB0", held.path());
    for (const Case& c : cases) { // each ends with the cable as it began
        auto child = start(c.args);
        ASSERT_TRUE(child->started());
        sleepMs(1200); // its first listing
        unplug("ttyUSB0");
        sleepMs(2500); // at least two polls a second apart
        link("/dev/ttyUSB0", held.path());
        link("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", "../../ttyUSB0");

        const RunResult r = child->finish(10000);

        EXPECT_EQ(r.exitStatus, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
}

TEST_F(CliPorts, WatchEndsOnCtrlC) {
    auto child = start({"ports", "--watch"});
    ASSERT_TRUE(child->started());
    sleepMs(500);
    child->sendSignal(SIGINT);
    const RunResult r = child->finish(5000);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "radioprog: ports --watch stopped before a device came\n");
}

// ---- the transfer's lock file ------------------------------------------------------------------

class CliPortsTransfer : public CliPorts {
protected:
    void SetUp() override {
        CliPorts::SetUp();
        SimulatorOptions paced;
        paced.paced = true; // a read of about two seconds: time to look at it while it runs
        m_sim = std::make_unique<RadioSimulator>(paced);
        ASSERT_TRUE(m_sim->start());
        link("/dev/ttyUSB0", m_sim->devicePath());
    }
    bool lockExists() const { return fs::exists(root("/run/lock/LCK..ttyUSB0")); }

    std::unique_ptr<RadioSimulator> m_sim;
};

TEST_F(CliPortsTransfer, BusyPortNamesTheProgramThatHoldsIt) {
    file("/run/lock/LCK..ttyUSB0", "      4242\n");
    file("/proc/4242/comm", "minicom\n");
    const RunResult r = run({"read", "--port", "/dev/ttyUSB0", "--output", "b.dat"});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_CONTAINS(r.err, "minicom (PID 4242) is using the port; close it and try again");
    EXPECT_EQ(m_sim->handshakes(), 0);
    EXPECT_TRUE(lockExists()) << "another program's lock file stays";
}

TEST_F(CliPortsTransfer, LockFileIsKeptWhileReadingAndRemovedAfterCtrlC) {
    auto child = start({"read", "--port", "/dev/ttyUSB0", "--output", "b.dat"});
    ASSERT_TRUE(waitFor([this] { return lockExists(); }, 5000)) << "no lock file while reading";
    ASSERT_TRUE(waitFor([this] { return m_sim->handshakes() > 0; }, 5000));
    child->sendSignal(SIGINT);
    const RunResult r = child->finish();
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_CONTAINS(r.err, "read cancelled");
    EXPECT_FALSE(lockExists());
}

TEST_F(CliPortsTransfer, SecondCtrlCEndsAtOnceAndStillRemovesTheLockFile) {
    auto child = start({"read", "--port", "/dev/ttyUSB0", "--output", "b.dat"});
    ASSERT_TRUE(waitFor([this] { return lockExists(); }, 5000)) << "no lock file while reading";
    child->sendSignal(SIGINT);
    child->sendSignal(SIGINT);
    const RunResult r = child->finish();
    EXPECT_FALSE(lockExists());
    // Either the second one ended it, or the first had already cancelled the read.
    EXPECT_TRUE(r.signal == SIGINT || r.exitStatus == 1) << r.signal << " " << r.exitStatus;
}

TEST_F(CliPortsTransfer, ReadPutsBackTheLineSettingsItFound) {
    const int spy = ::open(m_sim->devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(spy, 0);
    termios tio{};
    ::tcgetattr(spy, &tio);
    ::cfsetispeed(&tio, B115200);
    ::cfsetospeed(&tio, B115200);
    tio.c_lflag |= ICANON;
    ::tcsetattr(spy, TCSANOW, &tio);
    termios before{};
    ::tcgetattr(spy, &before);

    const RunResult r = run({"read", "--port", "/dev/ttyUSB0", "--output", "b.dat"});

    termios after{};
    ::tcgetattr(spy, &after);
    ::close(spy);
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(m_sim->completedReads(), 1);
    EXPECT_TRUE(sameSettings(after, before));
    EXPECT_FALSE(lockExists());
}

} // namespace
} // namespace clitest
