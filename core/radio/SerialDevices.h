#pragma once

#include "platform/DeviceTree.h"
#include "radio/SerialPort.h"
#include "text/CoreTexts.h"

#include <optional>
#include <string>
#include <vector>

class ProgramIni;

// What the machine tells about its serial devices and who holds them, for the port lists of
// both programs. Everything is read through a DeviceTree, so tests hand in a fake tree; a port
// is only looked at, never changed (see checkPort).

struct UsbDescription {
    std::string vendorId;                      // four hex digits as sysfs gives them: "1a86"
    std::string productId;                     // "7523"
    std::string manufacturer, product, serial; // the adapter's own strings, empty when it has none
};

struct SerialDevice {
    std::string device;   // "/dev/ttyUSB0", as on the machine (never with a tree's root in front)
    std::string byIdPath; // "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", or empty
    std::string driver;   // the kernel driver: ch341, cp210x, pl2303, ftdi_sio, cdc_acm, serial8250...
    std::optional<UsbDescription> usb;
    // One line for people: "USB Serial (1a86:7523, ch341)", "serial port (serial8250)".
    std::string description() const;
};

// The serial devices present: /dev/ttyUSB*, then /dev/ttyACM*, then the /dev/ttyS* that have
// a UART behind them, each group in numeric order (the order COMn counts them in).
std::vector<SerialDevice> findSerialDevices(const DeviceTree& tree);

enum class PortState { Free, Busy, PermissionDenied, NotFound, NotSerial, Other };

struct PortHolder {
    int pid = 0;
    std::string command; // "minicom", from /proc/<pid>/comm or cmdline; empty when unknown
};

struct PortCheck {
    PortState state = PortState::Free;
    std::string detail;               // the system's reason ("Permission denied"), empty when free
    std::optional<PortHolder> holder; // who holds it, when known
    // Busy only through exclusive mode, with no live lock file, no flock and no program found
    // that has the port open: the program that set the mode has ended without clearing it
    // (killed), and the terminal lives on because something else keeps it open.
    bool leftExclusive = false;
    // With leftExclusive on a pseudo-terminal: the program that holds its other side, when known.
    std::optional<PortHolder> farEnd;
    bool usable() const { return state == PortState::Free; }
};

// The state a failed open of a transfer stands for.
PortState portStateOf(PortError error);

// Looks at a port without changing anything on it: a live UUCP lock file (/run/lock,
// /var/lock), an advisory flock, exclusive mode (TIOCGEXCL, or EBUSY on open), and whether it
// opens at all. The holder is named from the lock file's PID, or else from the processes that
// have the device open (/proc/*/fd), leaving out the program on the other side of a
// pseudo-terminal (the one holding its master, /dev/ptmx with that tty-index in
// /proc/*/fdinfo): that one keeps the terminal alive but does not use the port. Exclusive mode
// that no remaining process accounts for is reported as leftExclusive. `device` may be a link
// (/dev/serial/by-id/...); the device node is opened through the tree, lock files and /proc are read in it.
PortCheck checkPort(const std::string& device, const DeviceTree& tree);

// A USB serial adapter of the common programming-cable chips (CH340 1a86:7523, CP210x 10c4:ea60,
// PL2303 067b:2303 and 067b:23a3, FTDI 0403:6001 and 0403:6015) that is plugged in but has no
// tty, and whether brltty runs (the braille daemon claims such adapters on some distributions).
struct AdapterWithoutTty {
    UsbDescription usb;
    std::string sysPath; // "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1"
    bool brlttyRunning = false;
};
std::vector<AdapterWithoutTty> findAdaptersWithoutTty(const DeviceTree& tree);

// What blocks a port and what to do, in the user's language, to follow the system's reason:
// not in the dialout group (with the command and that a new login is needed), which process
// holds it, ModemManager probing a freshly plugged adapter (with the udev rule), and so on.
// Empty for a free port.
std::string portAdvice(const PortCheck& check, Language language);
// Why the adapter has no tty and what to do (brltty: how to remove or disable it).
std::string adapterAdvice(const AdapterWithoutTty& adapter, Language language);

// COM1..COM4 as the user sees them.
struct PortDescription {
    std::string name;   // "COM1".."COM4"
    std::string device; // what it resolves to (Program.ini [Setup] COMn or the n-th device); empty: none
    std::optional<SerialDevice> info; // the device found behind it (a by-id link followed to its tty)
    PortCheck check;                  // NotFound when it resolves to nothing
};
std::vector<PortDescription> describePorts(const ProgramIni* ini, const DeviceTree& tree);

// Hotplug: which devices went and which came between two listings (by device name).
struct DeviceChanges {
    std::vector<SerialDevice> gone, came;
    bool empty() const { return gone.empty() && came.empty(); }
};
DeviceChanges compareDevices(const std::vector<SerialDevice>& before, const std::vector<SerialDevice>& after);
