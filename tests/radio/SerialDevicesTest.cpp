// The serial device list, port checks and advice, over fake device trees (a temporary folder laid
// out like /sys, /dev, /proc and /run/lock) and pseudo-terminals that stand in for held ports.

#include "radio/SerialDevices.h"

#include "HeldTerminal.h"
#include "platform/PortLockFile.h"
#include "platform/PosixSerialPort.h"
#include "settings/IniFile.h"
#include "settings/ProgramIni.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <poll.h>
#include <random>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

#define EXPECT_CONTAINS(text, part) EXPECT_NE(std::string(text).find(part), std::string::npos) << (text)

// A temporary folder with the layout of the machine's device files.
class FakeTree {
public:
    FakeTree() {
        m_root = fs::temp_directory_path() / ("devtree-" + std::to_string(std::random_device{}()) + "-" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_root);
    }
    ~FakeTree() {
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    FakeTree(const FakeTree&) = delete;
    FakeTree& operator=(const FakeTree&) = delete;

    DeviceTree tree() const { return DeviceTree(m_root.string()); }
    fs::path at(const std::string& absolute) const { return m_root / absolute.substr(1); }

    void file(const std::string& absolute, const std::string& text = "") const {
        fs::create_directories(at(absolute).parent_path());
        std::ofstream(at(absolute), std::ios::binary) << text;
    }
    void link(const std::string& absolute, const std::string& target) const {
        fs::create_directories(at(absolute).parent_path());
        fs::create_symlink(target, at(absolute));
    }
    void folder(const std::string& absolute) const { fs::create_directories(at(absolute)); }

    // A USB adapter with one tty, laid out as sysfs has it: the USB device folder with its
    // strings, the interface with its driver, the tty below, /sys/class/tty/<tty> a link into it.
    // `port` is the bus path ("1-1"); an empty tty makes an adapter without one.
    void usbAdapter(const std::string& port, const std::string& vendor, const std::string& product,
                    const std::string& productName, const std::string& driver, const std::string& tty,
                    bool acm = false) const {
        const std::string usb = "/sys/devices/pci0000:00/0000:00:14.0/usb1/" + port;
        file(usb + "/idVendor", vendor + "\n");
        file(usb + "/idProduct", product + "\n");
        file(usb + "/product", productName + "\n");
        file(usb + "/manufacturer", "QinHeng Electronics\n");
        file(usb + "/serial", "A50285BI\n");
        const std::string interface = usb + "/" + port + ":1.0";
        file(interface + "/bInterfaceNumber", "00\n");
        link(interface + "/driver", "../../../../../../bus/usb/drivers/" + driver);
        link("/sys/bus/usb/devices/" + port, "../../../devices/pci0000:00/0000:00:14.0/usb1/" + port);
        if (tty.empty()) {
            return;
        }
        // usb-serial: interface/ttyUSB0/tty/ttyUSB0; cdc-acm: interface/tty/ttyACM0.
        const std::string portFolder = acm ? interface : interface + "/" + tty;
        const std::string classFolder = portFolder + "/tty/" + tty;
        folder(classFolder);
        if (!acm) {
            link(portFolder + "/driver", "../../../../../../../bus/usb-serial/drivers/" + driver + "-uart");
        }
        link(classFolder + "/device", acm ? "../../../" + port + ":1.0" : "../../../" + tty);
        link("/sys/class/tty/" + tty, "../../devices/pci0000:00/0000:00:14.0/usb1/" + port + "/" + port +
                                          ":1.0/" + (acm ? "" : tty + "/") + "tty/" + tty);
        file("/dev/" + tty);
    }

private:
    fs::path m_root;
};

bool sameSettings(const termios& a, const termios& b) {
    return ::cfgetispeed(&a) == ::cfgetispeed(&b) && ::cfgetospeed(&a) == ::cfgetospeed(&b) &&
           a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// ---- the device list --------------------------------------------------------------------------

TEST(SerialDevices, NamesUsbAdaptersByTheirStringsIdsAndInterfaceDriver) {
    FakeTree fake;
    fake.usbAdapter("1-1", "1a86", "7523", "USB Serial", "ch341", "ttyUSB0");
    fake.usbAdapter("1-2", "2341", "0043", "Arduino Uno", "cdc_acm", "ttyACM0", true);
    fake.link("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", "../../ttyUSB0");

    const std::vector<SerialDevice> devices = findSerialDevices(fake.tree());

    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].device, "/dev/ttyUSB0");
    EXPECT_EQ(devices[0].byIdPath, "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0");
    EXPECT_EQ(devices[0].driver, "ch341"); // the interface's driver, not the port's ch341-uart
    ASSERT_TRUE(devices[0].usb);
    EXPECT_EQ(devices[0].usb->vendorId, "1a86");
    EXPECT_EQ(devices[0].usb->productId, "7523");
    EXPECT_EQ(devices[0].usb->manufacturer, "QinHeng Electronics");
    EXPECT_EQ(devices[0].usb->serial, "A50285BI");
    EXPECT_EQ(devices[0].description(), "USB Serial (1a86:7523, ch341)");

    EXPECT_EQ(devices[1].device, "/dev/ttyACM0");
    EXPECT_EQ(devices[1].byIdPath, "");
    EXPECT_EQ(devices[1].driver, "cdc_acm");
    EXPECT_EQ(devices[1].description(), "Arduino Uno (2341:0043, cdc_acm)");
}

TEST(SerialDevices, OnboardPortWithAUartIsListedWithItsDriverAndNoUsb) {
    FakeTree fake;
    fake.file("/dev/ttyS0");
    fake.file("/dev/ttyS1");
    fake.file("/sys/class/tty/ttyS0/type", "4\n");
    fake.link("/sys/class/tty/ttyS0/device", "../../../devices/pnp0/00:05");
    fake.link("/sys/devices/pnp0/00:05/driver", "../../../bus/pnp/drivers/serial");
    fake.file("/sys/class/tty/ttyS1/type", "0\n");

    const std::vector<SerialDevice> devices = findSerialDevices(fake.tree());

    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].device, "/dev/ttyS0");
    EXPECT_FALSE(devices[0].usb);
    EXPECT_EQ(devices[0].driver, "serial");
    EXPECT_EQ(devices[0].description(), "serial port (serial)");
}

// Newer kernels put serial-base devices ("port", "ctrl") between the tty and the UART's driver.
TEST(SerialDevices, UartDriverIsFoundAboveTheSerialBaseDevices) {
    FakeTree fake;
    fake.file("/dev/ttyS0");
    fake.file("/sys/class/tty/ttyS0/type", "4\n");
    fake.link("/sys/class/tty/ttyS0/device", "../../../devices/pnp0/00:00/00:00:0/00:00:0.0");
    fake.link("/sys/devices/pnp0/00:00/00:00:0/00:00:0.0/driver",
              "../../../../../bus/serial-base/drivers/port");
    fake.link("/sys/devices/pnp0/00:00/00:00:0/driver", "../../../../bus/serial-base/drivers/ctrl");
    fake.link("/sys/devices/pnp0/00:00/driver", "../../../bus/pnp/drivers/serial8250");

    const std::vector<SerialDevice> devices = findSerialDevices(fake.tree());

    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].driver, "serial8250");
}

TEST(SerialDevices, OddSysfsContentsNeverBreakTheList) {
    FakeTree fake;
    fake.usbAdapter("1-1", "1a86", "7523", std::string("Cable\x01\x1b[2J") + std::string(5000, 'x'), "ch341",
                    "ttyUSB0");
    fake.file("/dev/ttyUSB1");                      // a node without any sysfs entry
    fake.link("/sys/class/tty/ttyUSB2", "ttyUSB2"); // a link to itself
    fake.file("/dev/ttyUSB2");
    fake.link("/dev/serial/by-id/loop", "loop");

    const std::vector<SerialDevice> devices = findSerialDevices(fake.tree());

    ASSERT_EQ(devices.size(), 3u);
    ASSERT_TRUE(devices[0].usb);
    EXPECT_EQ(devices[0].usb->product, "Cable??[2J" + std::string(54, 'x'));
    EXPECT_FALSE(devices[1].usb);
    EXPECT_EQ(devices[1].driver, "");
    EXPECT_EQ(devices[2].device, "/dev/ttyUSB2");
}

// A product string is shown as valid UTF-8 without control characters, at most 64 bytes.
struct ProductRow {
    const char* name;
    std::string sysfs, shown;
};
void PrintTo(const ProductRow& row, std::ostream* os) {
    *os << row.name;
}
class ProductString : public testing::TestWithParam<ProductRow> {};

TEST_P(ProductString, IsShownCleanAndCutBetweenCharacters) {
    FakeTree fake;
    fake.usbAdapter("1-1", "1a86", "7523", GetParam().sysfs, "ch341", "ttyUSB0");
    const std::vector<SerialDevice> devices = findSerialDevices(fake.tree());
    ASSERT_EQ(devices.size(), 1u);
    ASSERT_TRUE(devices[0].usb);
    EXPECT_EQ(devices[0].usb->product, GetParam().shown);
}

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ProductString,
    testing::Values(ProductRow{"LongMultiByte", repeated("串口", 11), repeated("串口", 10) + "串"},
                    ProductRow{"InvalidUtf8", "Cable\xff\xc3(\xe4\xb8", "Cable\uFFFD\uFFFD(\uFFFD\uFFFD"},
                    ProductRow{"C1Control",
                               "A\xc2\x9b"
                               "2J",
                               "A?2J"}),
    [](const testing::TestParamInfo<ProductRow>& row) { return std::string(row.param.name); });

TEST(SerialDevices, ResolveFollowsLinksInTheMiddleAndStopsAtLinksOutOfTheTree) {
    FakeTree fake;
    fake.usbAdapter("1-1", "1a86", "7523", "USB Serial", "ch341", "ttyUSB0");
    fake.link("/dev/serial/by-id/cable", "../../ttyUSB0");
    fake.link("/dev/ttyCable", "/dev/pts/999999");
    const DeviceTree tree = fake.tree();

    EXPECT_EQ(tree.resolve("/sys/class/tty/ttyUSB0/device"),
              "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/ttyUSB0");
    EXPECT_EQ(tree.resolve("/dev/serial/by-id/cable"), "/dev/ttyUSB0");
    EXPECT_EQ(tree.resolve("/dev/ttyCable"), "/dev/ttyCable");
    EXPECT_EQ(tree.resolve("/dev/./serial/../ttyUSB0"), "/dev/ttyUSB0");
}

TEST(SerialDevices, AdaptersWithoutTtyNameBrlttyWhenItRuns) {
    FakeTree fake;
    fake.usbAdapter("1-1", "1a86", "7523", "USB Serial", "usbfs", "");     // taken by brltty
    fake.usbAdapter("1-2", "10c4", "ea60", "CP2102", "cp210x", "ttyUSB0"); // working
    fake.usbAdapter("1-3", "046d", "c52b", "Receiver", "usbhid", "");      // no cable chip
    fake.file("/proc/812/comm", "brltty\n");
    fake.file("/proc/1/comm", "systemd\n");

    const std::vector<AdapterWithoutTty> adapters = findAdaptersWithoutTty(fake.tree());

    ASSERT_EQ(adapters.size(), 1u);
    EXPECT_EQ(adapters[0].usb.vendorId, "1a86");
    EXPECT_EQ(adapters[0].sysPath, "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1");
    EXPECT_TRUE(adapters[0].brlttyRunning);
    const std::string advice = adapterAdvice(adapters[0], Language::English);
    EXPECT_CONTAINS(advice, "brltty");
    EXPECT_CONTAINS(advice, "sudo apt remove brltty");
    EXPECT_CONTAINS(advice, "systemctl mask");
    EXPECT_CONTAINS(adapterAdvice(adapters[0], Language::Chinese), "brltty");

    fake.file("/proc/812/comm", "bash\n");
    const std::vector<AdapterWithoutTty> withoutBrltty = findAdaptersWithoutTty(fake.tree());
    ASSERT_EQ(withoutBrltty.size(), 1u);
    EXPECT_FALSE(withoutBrltty[0].brlttyRunning);
    EXPECT_CONTAINS(adapterAdvice(withoutBrltty[0], Language::English), "(ch341)");
}

TEST(SerialDevices, ComNamesPinnedToACableByIdShowTheTtyBehindIt) {
    FakeTree fake;
    fake.usbAdapter("1-1", "1a86", "7523", "USB Serial", "ch341", "ttyUSB0");
    fake.usbAdapter("1-2", "067b", "2303", "USB-Serial Controller", "pl2303", "ttyUSB1");
    fake.link("/dev/serial/by-id/usb-Prolific-if00-port0", "../../ttyUSB1");
    IniFile ini;
    const fs::path iniPath = fake.at("/Program.ini");
    std::ofstream(iniPath) << "[Setup]\r\nCOM3=/dev/serial/by-id/usb-Prolific-if00-port0\r\n";
    ASSERT_TRUE(ini.load(iniPath.string(), false, true));
    const ProgramIni setup(ini);

    const std::vector<PortDescription> ports = describePorts(&setup, fake.tree());

    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports[0].name, "COM1");
    EXPECT_EQ(ports[0].device, "/dev/ttyUSB0");
    ASSERT_TRUE(ports[0].info);
    EXPECT_EQ(ports[0].info->driver, "ch341");
    EXPECT_EQ(ports[2].device, "/dev/serial/by-id/usb-Prolific-if00-port0");
    ASSERT_TRUE(ports[2].info);
    EXPECT_EQ(ports[2].info->device, "/dev/ttyUSB1");
    EXPECT_EQ(ports[2].info->driver, "pl2303");
    // The fake tree's nodes are plain files: found, but no terminal.
    EXPECT_EQ(ports[2].check.state, PortState::NotSerial);
    EXPECT_EQ(ports[3].device, "");
    EXPECT_FALSE(ports[3].info);
    EXPECT_EQ(ports[3].check.state, PortState::NotFound);

    // The cable unplugged: the pinned name stays, and is not found.
    fs::remove(fake.at("/dev/ttyUSB1"));
    fs::remove(fake.at("/dev/serial/by-id/usb-Prolific-if00-port0"));
    const std::vector<PortDescription> unplugged = describePorts(&setup, fake.tree());
    EXPECT_EQ(unplugged[2].device, "/dev/serial/by-id/usb-Prolific-if00-port0");
    EXPECT_FALSE(unplugged[2].info);
    EXPECT_EQ(unplugged[2].check.state, PortState::NotFound);
}

struct ChangeRow {
    const char* name;
    std::vector<std::string> before, after, gone, came;
};
void PrintTo(const ChangeRow& row, std::ostream* os) {
    *os << row.name;
}
class DeviceChangesTest : public testing::TestWithParam<ChangeRow> {};

std::vector<SerialDevice> devicesNamed(const std::vector<std::string>& names) {
    std::vector<SerialDevice> devices;
    for (const std::string& name : names) {
        devices.push_back(SerialDevice{name, "", "", std::nullopt});
    }
    return devices;
}
std::vector<std::string> namesOf(const std::vector<SerialDevice>& devices) {
    std::vector<std::string> names;
    for (const SerialDevice& d : devices) {
        names.push_back(d.device);
    }
    return names;
}

TEST_P(DeviceChangesTest, TellsWhichWentAndWhichCame) {
    const ChangeRow& row = GetParam();
    const DeviceChanges changes = compareDevices(devicesNamed(row.before), devicesNamed(row.after));
    EXPECT_EQ(namesOf(changes.gone), row.gone);
    EXPECT_EQ(namesOf(changes.came), row.came);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, DeviceChangesTest,
    testing::Values(ChangeRow{"Nothing", {"/dev/ttyS0"}, {"/dev/ttyS0"}, {}, {}},
                    ChangeRow{
                        "Unplugged", {"/dev/ttyUSB0", "/dev/ttyS0"}, {"/dev/ttyS0"}, {"/dev/ttyUSB0"}, {}},
                    ChangeRow{"PluggedIn", {}, {"/dev/ttyUSB0"}, {}, {"/dev/ttyUSB0"}},
                    // Plugged back into another socket while a second adapter kept ttyUSB0.
                    ChangeRow{"BackUnderAnotherName",
                              {"/dev/ttyUSB0", "/dev/ttyUSB1"},
                              {"/dev/ttyUSB0", "/dev/ttyUSB2"},
                              {"/dev/ttyUSB1"},
                              {"/dev/ttyUSB2"}}),
    [](const testing::TestParamInfo<ChangeRow>& row) { return std::string(row.param.name); });

// ---- lock files ---------------------------------------------------------------------------------

struct LockTextRow {
    const char* name;
    std::string text;
    int pid;
};
void PrintTo(const LockTextRow& row, std::ostream* os) {
    *os << row.name;
}
class LockFileText : public testing::TestWithParam<LockTextRow> {};

TEST_P(LockFileText, NamesThePidOrNone) {
    EXPECT_EQ(platform::lockFilePid(GetParam().text), GetParam().pid);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LockFileText,
    testing::Values(LockTextRow{"TenWideAscii", "      4242\n", 4242}, LockTextRow{"BareAscii", "17", 17},
                    LockTextRow{"Binary", std::string("\x92\x10\x00\x00", 4), 4242},
                    LockTextRow{"Empty", "", 0}, LockTextRow{"Zero", "         0\n", 0},
                    LockTextRow{"Negative", "     -4242\n", 0}, LockTextRow{"Words", "minicom\n", 0},
                    LockTextRow{"TrailingGarbage", "4242 minicom\n", 0},
                    LockTextRow{"TooLong", "99999999999999999999\n", 0}),
    [](const testing::TestParamInfo<LockTextRow>& row) { return std::string(row.param.name); });

// ---- checking held ports ------------------------------------------------------------------------

class PortCheckTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_held.valid()) << "no pseudo-terminal: " << std::strerror(errno);
        // The fake tree's /dev/ttyUSB0 leads to the pseudo-terminal.
        m_fake.link("/dev/ttyUSB0", m_held.path());
        m_fake.folder("/run/lock");
        m_fake.file("/proc/1/comm", "systemd\n");
        m_fake.folder("/proc/4294967296"); // no process: a name too large for a PID
    }

    HeldTerminal m_held;
    FakeTree m_fake;
};

TEST_F(PortCheckTest, LookingAtAHeldPortChangesNeitherItsSettingsNorItsInput) {
    m_held.sendUnreadLine("AT+GMI\n");
    const termios before = m_held.settings();
    const int unread = m_held.unreadBytes();
    ASSERT_GT(unread, 0);

    const PortCheck check = checkPort(m_held.path(), DeviceTree());
    EXPECT_TRUE(platform::probeSerialPort(m_held.path())) << "a plain open is no claim on the port";

    EXPECT_EQ(check.state, PortState::Free) << check.detail;
    EXPECT_TRUE(sameSettings(m_held.settings(), before)) << "speed, canonical mode and the rest unchanged";
    EXPECT_EQ(::cfgetispeed(&before), speed_t(B115200));
    EXPECT_EQ(m_held.unreadBytes(), unread);
    EXPECT_EQ(m_held.readLine(), "AT+GMI\n");
}

// A live lock, in the ASCII form or the old binary one (a native int), makes the port busy; the
// file is read as it is (the binary PID 2592 is a space and a newline followed by NULs).
struct LiveLockRow {
    const char* name;
    std::string text;
    int pid;
};
void PrintTo(const LiveLockRow& row, std::ostream* os) {
    *os << row.name;
}
class PortCheckLiveLock : public PortCheckTest, public testing::WithParamInterface<LiveLockRow> {};

int32_t nativeInt(const std::string& bytes) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

TEST_P(PortCheckLiveLock, MakesThePortBusyAndNamesTheProcess) {
    const LiveLockRow& row = GetParam();
    const std::string pid = std::to_string(row.pid);
    m_fake.file("/run/lock/LCK..ttyUSB0", row.text);
    m_fake.file("/proc/" + pid + "/comm", "minicom\n");

    const PortCheck check = checkPort("/dev/ttyUSB0", m_fake.tree());

    EXPECT_EQ(check.state, PortState::Busy);
    EXPECT_FALSE(check.usable());
    ASSERT_TRUE(check.holder);
    EXPECT_EQ(check.holder->pid, row.pid);
    EXPECT_EQ(check.holder->command, "minicom");
    EXPECT_CONTAINS(check.detail, "/run/lock/LCK..ttyUSB0");
    EXPECT_CONTAINS(portAdvice(check, Language::English), "minicom (PID " + pid + ")");
    EXPECT_CONTAINS(portAdvice(check, Language::Chinese), "minicom（PID " + pid + "）");

    platform::PosixSerialPort port(m_fake.tree());
    EXPECT_EQ(port.open("/dev/ttyUSB0").error, PortError::Busy);
    EXPECT_TRUE(fs::exists(m_fake.at("/run/lock/LCK..ttyUSB0"))) << "another program's lock stays";
}

INSTANTIATE_TEST_SUITE_P(Texts, PortCheckLiveLock,
                         testing::Values(LiveLockRow{"TenWideAscii", "      4242\n", 4242},
                                         LiveLockRow{"Binary", std::string("\x92\x10\x00\x00", 4),
                                                     nativeInt(std::string("\x92\x10\x00\x00", 4))},
                                         LiveLockRow{"BinaryOfWhiteSpace", std::string("\x20\x0a\x00\x00", 4),
                                                     nativeInt(std::string("\x20\x0a\x00\x00", 4))}),
                         [](const testing::TestParamInfo<LiveLockRow>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(PortCheckTest, LockFileInVarLockCountsAndCommandComesFromCmdlineWithoutComm) {
    m_fake.file("/var/lock/LCK..ttyUSB0", "4243\n");
    m_fake.file("/proc/4243/cmdline", std::string("/usr/bin/picocom\0-b\0"
                                                  "9600\0",
                                                  20));

    const PortCheck check = checkPort("/dev/ttyUSB0", m_fake.tree());

    EXPECT_EQ(check.state, PortState::Busy);
    ASSERT_TRUE(check.holder);
    EXPECT_EQ(check.holder->command, "picocom");
}

struct StaleLockRow {
    const char* name;
    std::string text;
};
void PrintTo(const StaleLockRow& row, std::ostream* os) {
    *os << row.name;
}
class PortCheckStaleLock : public PortCheckTest, public testing::WithParamInterface<StaleLockRow> {};

TEST_P(PortCheckStaleLock, DoesNotMakeThePortBusy) {
    m_fake.file("/run/lock/LCK..ttyUSB0", GetParam().text);
    const PortCheck check = checkPort("/dev/ttyUSB0", m_fake.tree());
    EXPECT_EQ(check.state, PortState::Free) << check.detail;
    EXPECT_FALSE(check.holder);
}

INSTANTIATE_TEST_SUITE_P(Texts, PortCheckStaleLock,
                         testing::Values(StaleLockRow{"ProcessGone", "      4244\n"},
                                         StaleLockRow{"Garbage", "\x7f"
                                                                 "ELF\x02\x01\x01"},
                                         StaleLockRow{"Empty", ""}),
                         [](const testing::TestParamInfo<StaleLockRow>& row) {
                             return std::string(row.param.name);
                         });

// Where a file is read (a lock file, a ttyS type, a process name) a FIFO or a link to a terminal
// is no file: nothing waits on it, and it is neither a lock nor removed as a stale one.
struct NeverBlocksRow {
    const char* name;
    const char* fifo;
    const char* link; // a link to `target`, or nothing
    const char* target;
};
void PrintTo(const NeverBlocksRow& row, std::ostream* os) {
    *os << row.name;
}
class PortCheckNeverBlocks : public PortCheckTest, public testing::WithParamInterface<NeverBlocksRow> {};

TEST_P(PortCheckNeverBlocks, OnAFifoOrATerminal) {
    const NeverBlocksRow& row = GetParam();
    m_fake.folder(fs::path(row.fifo).parent_path().string());
    ASSERT_EQ(::mkfifo(m_fake.at(row.fifo).c_str(), 0600), 0);
    if (*row.link) {
        m_fake.link(row.link, row.target);
    }
    m_fake.file("/dev/ttyS0");
    m_fake.link("/dev/ttyUSB9", m_held.path());
    m_fake.file("/var/lock/LCK..ttyUSB9", "4242\n"); // live: its process's name is read
    m_fake.folder("/proc/4242");
    const DeviceTree tree = m_fake.tree();

    std::future<std::pair<PortCheck, bool>> done = std::async(std::launch::async, [&tree] {
        findSerialDevices(tree);
        EXPECT_EQ(checkPort("/dev/ttyUSB9", tree).state, PortState::Busy);
        platform::PosixSerialPort port(tree);
        const bool opened = static_cast<bool>(port.open("/dev/ttyUSB0"));
        return std::make_pair(checkPort("/dev/ttyUSB0", tree), opened);
    });
    // A read that waits is set free (a writer comes and goes, a line arrives): a failure, not a hang.
    bool waited = false;
    while (done.wait_for(std::chrono::milliseconds(waited ? 100 : 5000)) != std::future_status::ready) {
        waited = true;
        const int fd = ::open(m_fake.at(row.fifo).c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
        }
        m_held.sendUnreadLine("\n");
    }
    EXPECT_FALSE(waited) << "a read waited on a FIFO or a terminal";
    const auto [check, opened] = done.get();
    EXPECT_EQ(check.state, PortState::Busy) << "held by the transfer itself";
    EXPECT_TRUE(opened);
    EXPECT_TRUE(fs::is_fifo(m_fake.at(row.fifo)));
    if (*row.link) {
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(m_fake.at(row.link))));
    }
}

INSTANTIATE_TEST_SUITE_P(Places, PortCheckNeverBlocks,
                         testing::Values(NeverBlocksRow{"LockFile", "/run/lock/LCK..ttyUSB0", "", ""},
                                         NeverBlocksRow{"LockFileLinkedToAFifo", "/run/lock/pipe",
                                                        "/run/lock/LCK..ttyUSB0", "pipe"},
                                         NeverBlocksRow{"LockFileLinkedToATerminal", "/run/lock/pipe",
                                                        "/run/lock/LCK..ttyUSB0", "../../dev/ttyUSB9"},
                                         NeverBlocksRow{"UartType", "/sys/class/tty/ttyS0/type", "", ""},
                                         NeverBlocksRow{"ProcessName", "/proc/4242/comm", "", ""}),
                         [](const testing::TestParamInfo<NeverBlocksRow>& row) {
                             return std::string(row.param.name);
                         });

// Under a fake root nothing outside it is read, created or removed, whatever its links say.
TEST_F(PortCheckTest, LinksOutOfTheTreeAreNotFollowed) {
    FakeTree outside;
    outside.usbAdapter("1-1", "1a86", "7523", "Outside", "ch341", "");
    outside.file("/lock/LCK..ttyUSB0", "      4244\n"); // stale
    m_fake.link("/sys/class/tty/ttyUSB0/device",
                outside.at("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1").string());
    fs::remove_all(m_fake.at("/run/lock"));
    m_fake.link("/run/lock", outside.at("/lock").string());

    const std::vector<SerialDevice> devices = findSerialDevices(m_fake.tree());
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_FALSE(devices[0].usb) << "the adapter outside is not shown";
    platform::PosixSerialPort port(m_fake.tree());
    ASSERT_TRUE(port.open("/dev/ttyUSB0"));
    port.close();
    EXPECT_EQ(platform::lockFilePid(DeviceTree(outside.at("/").string()).readBytes("/lock/LCK..ttyUSB0", 64)),
              4244);
    EXPECT_EQ(std::distance(fs::directory_iterator(outside.at("/lock")), fs::directory_iterator()), 1);
}

TEST_F(PortCheckTest, FlockedPortIsBusyAndItsHolderIsFoundInProc) {
    ASSERT_EQ(::flock(m_held.holder(), LOCK_EX | LOCK_NB), 0);
    const termios before = m_held.settings();

    const PortCheck check = checkPort(m_held.path(), DeviceTree());

    EXPECT_EQ(check.state, PortState::Busy) << check.detail;
    ASSERT_TRUE(check.holder) << "this test process has the terminal open";
    EXPECT_EQ(check.holder->pid, static_cast<int>(::getpid()));
    EXPECT_FALSE(check.holder->command.empty());
    EXPECT_EQ(platform::probeSerialPort(m_held.path()).error, PortError::Busy);
    EXPECT_TRUE(sameSettings(m_held.settings(), before));
}

// Exclusive mode alone: a program that still runs has the port open; one killed before it could
// clear the mode leaves it on a terminal that something else keeps open.
struct ExclusiveRow {
    const char* name;
    bool machineProc;    // the machine's /proc, where this process holds both sides of the terminal
    bool programRunning; // a fake screen (PID 4245) has the port open
    const char* english;
    const char* chinese;
};
class PortCheckExclusive : public PortCheckTest, public testing::WithParamInterface<ExclusiveRow> {};

TEST_P(PortCheckExclusive, NamesTheProgramOrSaysTheModeWasLeftBehind) {
    const ExclusiveRow& row = GetParam();
    if (row.programRunning) {
        m_fake.file("/proc/4245/comm", "screen\n");
        m_fake.link("/proc/4245/fd/3", "/dev/ttyUSB0");
    }
    ASSERT_EQ(::ioctl(m_held.holder(), TIOCEXCL), 0);
    const PortCheck check =
        row.machineProc ? checkPort(m_held.path(), DeviceTree()) : checkPort("/dev/ttyUSB0", m_fake.tree());
    ::ioctl(m_held.holder(), TIOCNXCL);
    EXPECT_EQ(check.state, PortState::Busy) << check.detail;
    EXPECT_EQ(check.leftExclusive, !row.programRunning);
    EXPECT_EQ(check.holder.has_value(), row.programRunning) << "the far end is no user of the port";
    EXPECT_EQ(check.farEnd ? check.farEnd->pid : 0, row.machineProc ? static_cast<int>(::getpid()) : 0);
    EXPECT_CONTAINS(portAdvice(check, Language::English), row.english);
    EXPECT_CONTAINS(portAdvice(check, Language::Chinese), row.chinese);
}

INSTANTIATE_TEST_SUITE_P(
    Holders, PortCheckExclusive,
    testing::Values(ExclusiveRow{"ProgramStillRunning", false, true, "screen (PID 4245) is using the port",
                                 "screen（PID 4245）"},
                    ExclusiveRow{"LeftByAProgramThatEnded", false, false,
                                 "left in exclusive mode by a program that has ended",
                                 "拔下适配器再重新插入"},
                    ExclusiveRow{"PseudoTerminalKeptByItsOtherSide", true, false,
                                 "holds the other side of this pseudo-terminal", "占用着此伪终端的另一端"}),
    [](const testing::TestParamInfo<ExclusiveRow>& row) { return std::string(row.param.name); });

TEST_F(PortCheckTest, ModemManagerHoldingAFreshAdapterGetsTheUdevAdvice) {
    m_fake.file("/run/lock/LCK..ttyUSB0", "      611\n");
    m_fake.file("/proc/611/comm", "ModemManager\n");
    const PortCheck check = checkPort("/dev/ttyUSB0", m_fake.tree());
    const std::string advice = portAdvice(check, Language::English);
    EXPECT_CONTAINS(advice, "ModemManager (PID 611)");
    EXPECT_CONTAINS(advice, "60-radio-programmer.rules");
    EXPECT_CONTAINS(portAdvice(check, Language::Chinese), "60-radio-programmer.rules");
}

struct AdviceRow {
    const char* name;
    PortState state;
    const char* english; // a part of the English advice; empty: no advice at all
    const char* chinese;
};
void PrintTo(const AdviceRow& row, std::ostream* os) {
    *os << row.name;
}
class PortAdviceTest : public testing::TestWithParam<AdviceRow> {};

TEST_P(PortAdviceTest, SaysWhatToDo) {
    PortCheck check;
    check.state = GetParam().state;
    const std::string english = portAdvice(check, Language::English);
    const std::string language = portAdvice(check, Language::Chinese);
    if (std::string(GetParam().english).empty()) {
        EXPECT_EQ(english, "");
        EXPECT_EQ(language, "");
        return;
    }
    EXPECT_CONTAINS(english, GetParam().english);
    EXPECT_CONTAINS(language, GetParam().chinese);
}

INSTANTIATE_TEST_SUITE_P(
    States, PortAdviceTest,
    testing::Values(AdviceRow{"Free", PortState::Free, "", ""},
                    AdviceRow{"NotInDialout", PortState::PermissionDenied, "sudo usermod -aG dialout $USER",
                              "sudo usermod -aG dialout $USER"},
                    AdviceRow{"NewLoginNeeded", PortState::PermissionDenied, "log in again", "重新登录"},
                    AdviceRow{"BusyUnknownHolder", PortState::Busy, "another program", "另一个程序"},
                    AdviceRow{"Missing", PortState::NotFound, "plugged in", "插好"},
                    AdviceRow{"NotATerminal", PortState::NotSerial, "not a serial port", "不是串口"}),
    [](const testing::TestParamInfo<AdviceRow>& row) { return std::string(row.param.name); });

// ---- the transfer's own lock and line settings ------------------------------------------------

TEST_F(PortCheckTest, TransferKeepsALockFileWhileOpenAndPutsTheLineBackAfterwards) {
    m_held.sendUnreadLine("left for the holder\n");
    const termios before = m_held.settings();
    const fs::path lockFile = m_fake.at("/run/lock/LCK..ttyUSB0");
    {
        platform::PosixSerialPort port(m_fake.tree());
        ASSERT_TRUE(port.open("/dev/ttyUSB0"));
        std::ifstream in(lockFile);
        std::string text;
        std::getline(in, text);
        EXPECT_EQ(text,
                  std::string(10 - std::to_string(::getpid()).size(), ' ') + std::to_string(::getpid()));
        EXPECT_FALSE(sameSettings(m_held.settings(), before)) << "raw 9600 while the transfer runs";

        // A second program sees it busy, and the lock names this process.
        m_fake.file("/proc/" + std::to_string(::getpid()) + "/comm", "radioprog\n");
        const PortCheck check = checkPort("/dev/ttyUSB0", m_fake.tree());
        EXPECT_EQ(check.state, PortState::Busy);
        ASSERT_TRUE(check.holder);
        EXPECT_EQ(check.holder->command, "radioprog");
        port.close();
    }
    EXPECT_FALSE(fs::exists(lockFile));
    EXPECT_TRUE(sameSettings(m_held.settings(), before));
    EXPECT_EQ(::cfgetospeed(&before), speed_t(B115200));
}

TEST_F(PortCheckTest, TransferRefusesAPortWithALiveLockAndReplacesAStaleOne) {
    m_fake.file("/run/lock/LCK..ttyUSB0", "      4242\n");
    m_fake.file("/proc/4242/comm", "minicom\n");
    platform::PosixSerialPort port(m_fake.tree());
    const PortOpenResult refused = port.open("/dev/ttyUSB0");
    EXPECT_EQ(refused.error, PortError::Busy);
    EXPECT_CONTAINS(refused.detail, "4242");
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(fs::exists(m_fake.at("/run/lock/LCK..ttyUSB0"))) << "another program's lock stays";

    fs::remove_all(m_fake.at("/proc/4242")); // minicom has ended without removing its lock
    m_fake.file("/proc/" + std::to_string(::getpid()) + "/comm", "radioprog\n");
    ASSERT_TRUE(port.open("/dev/ttyUSB0"));
    EXPECT_EQ(platform::lockFilePid(m_fake.tree().readText("/run/lock/LCK..ttyUSB0")),
              static_cast<int>(::getpid()));
    port.close();
    EXPECT_FALSE(fs::exists(m_fake.at("/run/lock/LCK..ttyUSB0")));
}

TEST_F(PortCheckTest, LockFilesCanBeRemovedFromASignalHandler) {
    platform::PosixSerialPort port(m_fake.tree());
    ASSERT_TRUE(port.open("/dev/ttyUSB0"));
    ASSERT_TRUE(fs::exists(m_fake.at("/run/lock/LCK..ttyUSB0")));
    platform::removeHeldLockFilesNow();
    EXPECT_FALSE(fs::exists(m_fake.at("/run/lock/LCK..ttyUSB0")));
}

TEST_F(PortCheckTest, WithoutAWritableLockFolderTheTransferGoesOnWithoutALock) {
    fs::remove_all(m_fake.at("/run/lock"));
    platform::PosixSerialPort port(m_fake.tree());
    EXPECT_TRUE(port.open("/dev/ttyUSB0"));
}

} // namespace
