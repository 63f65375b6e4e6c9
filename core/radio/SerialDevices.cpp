#include "radio/SerialDevices.h"

#include "platform/PortLockFile.h"
#include "platform/PosixSerialPort.h"
#include "radio/PortNames.h"
#include "text/CoreTexts.h"
#include "text/Utf8.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {

// The chips of the common programming cables, with the kernel driver each one needs.
struct CableChip {
    const char* vendorId;
    const char* productId;
    const char* driver;
};
constexpr CableChip kCableChips[] = {
    {"1a86", "7523", "ch341"},  {"10c4", "ea60", "cp210x"},   {"067b", "2303", "pl2303"},
    {"067b", "23a3", "pl2303"}, {"0403", "6001", "ftdi_sio"}, {"0403", "6015", "ftdi_sio"},
};

constexpr size_t kMaxShownBytes = 64;

// A name fit to show (a command, a USB string): invalid UTF-8 replaced by U+FFFD, control
// characters by '?', at most 64 bytes, cut between characters.
std::string cleanCommand(std::string text) {
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) {
        text.resize(nul);
    }
    std::string clean;
    for (size_t at = 0; at < text.size();) {
        const utf8::Sequence sequence = utf8::decodeAt(text, at);
        std::string character;
        if (sequence.length == 0) {
            character = "\xEF\xBF\xBD";
        } else if (sequence.codePoint < 0x20 || (sequence.codePoint >= 0x7f && sequence.codePoint < 0xa0)) {
            character = "?";
        } else {
            character = text.substr(at, sequence.length);
        }
        if (clean.size() + character.size() > kMaxShownBytes) {
            break;
        }
        clean += character;
        at += sequence.length == 0 ? 1 : sequence.length;
    }
    return clean;
}

// The number a name is ("4242", a /proc entry or a pseudo-terminal's); nothing for other names
// and for numbers too large for an int.
std::optional<int> smallNumber(const std::string& entry) {
    int pid = 0;
    const char* end = entry.data() + entry.size();
    const auto [stop, error] = std::from_chars(entry.data(), end, pid);
    if (entry.empty() || error != std::errc() || stop != end || pid < 0) {
        return std::nullopt;
    }
    return pid;
}

// What /proc tells about a process: its command from comm, or from the first word of cmdline
// (without its folder) when comm is empty.
std::string commandOf(int pid, const DeviceTree& tree) {
    const std::string folder = "/proc/" + std::to_string(pid);
    std::string command = cleanCommand(tree.readText(folder + "/comm", 256));
    if (command.empty()) {
        command = cleanCommand(tree.readText(folder + "/cmdline", 4096));
        const size_t slash = command.rfind('/');
        if (slash != std::string::npos) {
            command.erase(0, slash + 1);
        }
    }
    return command;
}

// The processes that have `names` open, by their /proc/<pid>/fd links; this process last.
std::vector<int> processesWithOpen(const std::vector<std::string>& names, const DeviceTree& tree) {
    std::vector<int> found;
    bool self = false;
    const int own = platform::currentProcessId();
    for (const std::string& entry : tree.listDir("/proc")) {
        const std::optional<int> pid = smallNumber(entry);
        if (!pid) {
            continue;
        }
        const std::string fdFolder = "/proc/" + entry + "/fd";
        for (const std::string& fd : tree.listDir(fdFolder)) {
            const std::string target = tree.readLink(fdFolder + "/" + fd);
            if (std::find(names.begin(), names.end(), target) == names.end()) {
                continue;
            }
            if (*pid == own) {
                self = true;
            } else {
                found.push_back(*pid);
            }
            break;
        }
    }
    if (self) {
        found.push_back(own);
    }
    return found;
}

// The number of a pseudo-terminal's device ("/dev/pts/3" -> 3), -1 for any other device.
long ptyIndex(const std::string& device) {
    const std::string prefix = "/dev/pts/";
    if (device.rfind(prefix, 0) != 0) {
        return -1;
    }
    const std::optional<int> number = smallNumber(device.substr(prefix.size()));
    return number ? *number : -1;
}

// The processes that hold the master of pseudo-terminal `index`: the far end of the line. The
// master's descriptor links to /dev/ptmx (or /dev/pts/ptmx) and its fdinfo names the index.
std::vector<int> processesWithMaster(long index, const DeviceTree& tree) {
    std::vector<int> found;
    const std::string line = "tty-index:\t" + std::to_string(index);
    for (const std::string& entry : tree.listDir("/proc")) {
        const std::optional<int> pid = smallNumber(entry);
        if (!pid) {
            continue;
        }
        const std::string folder = "/proc/" + entry;
        for (const std::string& fd : tree.listDir(folder + "/fd")) {
            const std::string target = tree.readLink(folder + "/fd/" + fd);
            if (target != "/dev/ptmx" && target != "/dev/pts/ptmx") {
                continue;
            }
            const std::string info = tree.readText(folder + "/fdinfo/" + fd) + "\n";
            if (info.find(line + "\n") != std::string::npos) {
                found.push_back(*pid);
                break;
            }
        }
    }
    return found;
}

bool processNamedRuns(const std::string& command, const DeviceTree& tree) {
    for (const std::string& entry : tree.listDir("/proc")) {
        if (smallNumber(entry) && cleanCommand(tree.readText("/proc/" + entry + "/comm", 256)) == command) {
            return true;
        }
    }
    return false;
}

// The USB device folder above a sysfs device folder: the first one up with an idVendor file.
std::string usbDeviceFolder(std::string folder, const DeviceTree& tree) {
    while (folder.size() > 1 && folder.rfind("/sys/", 0) == 0) {
        if (tree.exists(folder + "/idVendor") && tree.exists(folder + "/idProduct")) {
            return folder;
        }
        folder.erase(folder.rfind('/'));
    }
    return {};
}

UsbDescription usbDescriptionAt(const std::string& folder, const DeviceTree& tree) {
    UsbDescription usb;
    usb.vendorId = cleanCommand(tree.readText(folder + "/idVendor", 16));
    usb.productId = cleanCommand(tree.readText(folder + "/idProduct", 16));
    usb.manufacturer = cleanCommand(tree.readText(folder + "/manufacturer", 256));
    usb.product = cleanCommand(tree.readText(folder + "/product", 256));
    usb.serial = cleanCommand(tree.readText(folder + "/serial", 256));
    return usb;
}

std::string lastPart(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The kernel driver of a tty: that of its USB interface (ch341, not the port's ch341-uart) when
// there is one, else that of the device itself.
std::string driverOf(const std::string& deviceFolder, const DeviceTree& tree) {
    for (std::string folder = deviceFolder; folder.size() > 1 && folder.rfind("/sys/", 0) == 0;
         folder.erase(folder.rfind('/'))) {
        if (tree.exists(folder + "/bInterfaceNumber")) {
            const std::string driver = cleanCommand(lastPart(tree.readLink(folder + "/driver")));
            if (!driver.empty()) {
                return driver;
            }
            break;
        }
        if (tree.exists(folder + "/idVendor")) {
            break;
        }
    }
    // Newer kernels put a serial-base "port" and "ctrl" device between a UART's tty and the
    // device of its driver (serial8250, serial, ...).
    for (std::string folder = deviceFolder; folder.size() > 1 && folder.rfind("/sys/", 0) == 0;
         folder.erase(folder.rfind('/'))) {
        const std::string driver = tree.readLink(folder + "/driver");
        if (!driver.empty() && driver.find("/serial-base/") == std::string::npos) {
            return cleanCommand(lastPart(driver));
        }
    }
    return {};
}

bool hasTtyBelow(const std::string& folder, const DeviceTree& tree, int depth) {
    for (const std::string& name : tree.listDir(folder)) {
        if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0) {
            return true;
        }
        const std::string below = folder + "/" + name;
        // Only real folders: sysfs links lead up and across the tree.
        if (depth > 0 && tree.readLink(below).empty() && tree.isDirectory(below) &&
            hasTtyBelow(below, tree, depth - 1)) {
            return true;
        }
    }
    return false;
}

const char* chipDriver(const UsbDescription& usb) {
    for (const CableChip& chip : kCableChips) {
        if (usb.vendorId == chip.vendorId && usb.productId == chip.productId) {
            return chip.driver;
        }
    }
    return nullptr;
}

std::string usbLine(const UsbDescription& usb, const std::string& driver) {
    std::string name = !usb.product.empty()        ? usb.product
                       : !usb.manufacturer.empty() ? usb.manufacturer
                                                   : std::string("USB serial adapter");
    std::string ids = usb.vendorId + ":" + usb.productId;
    return name + " (" + ids + (driver.empty() ? "" : ", " + driver) + ")";
}

} // namespace

PortState portStateOf(PortError error) {
    switch (error) {
    case PortError::None:
        return PortState::Free;
    case PortError::NotFound:
        return PortState::NotFound;
    case PortError::PermissionDenied:
        return PortState::PermissionDenied;
    case PortError::Busy:
        return PortState::Busy;
    case PortError::NotSerial:
        return PortState::NotSerial;
    case PortError::Other:
        break;
    }
    return PortState::Other;
}

std::string SerialDevice::description() const {
    if (usb) {
        return usbLine(*usb, driver);
    }
    return "serial port" + (driver.empty() ? std::string() : " (" + driver + ")");
}

std::vector<SerialDevice> findSerialDevices(const DeviceTree& tree) {
    // The links of /dev/serial/by-id, each followed to its tty once.
    std::vector<std::pair<std::string, std::string>> byId; // tty, link
    for (const std::string& name : tree.listDir("/dev/serial/by-id")) {
        const std::string link = "/dev/serial/by-id/" + name;
        byId.emplace_back(tree.resolve(link), link);
    }

    std::vector<SerialDevice> devices;
    for (const std::string& found : platform::listSerialDevices(tree)) {
        SerialDevice device;
        device.device = "/dev/" + lastPart(found);
        for (const auto& [tty, link] : byId) {
            if (tty == device.device) {
                device.byIdPath = link;
                break;
            }
        }
        const std::string classFolder = "/sys/class/tty/" + lastPart(found);
        if (tree.exists(classFolder + "/device")) {
            const std::string deviceFolder = tree.resolve(classFolder + "/device");
            device.driver = driverOf(deviceFolder, tree);
            const std::string usbFolder = usbDeviceFolder(deviceFolder, tree);
            if (!usbFolder.empty()) {
                device.usb = usbDescriptionAt(usbFolder, tree);
            }
        }
        devices.push_back(std::move(device));
    }
    return devices;
}

PortCheck checkPort(const std::string& device, const DeviceTree& tree) {
    PortCheck check;
    if (device.empty()) {
        check.state = PortState::NotFound;
        check.detail = "no device";
        return check;
    }
    const std::string name = tree.resolve(device);
    const platform::SerialPortLook look = platform::lookAtSerialPort(tree.path(device));
    if (!look.open && look.open.error != PortError::Busy) {
        check.state = portStateOf(look.open.error);
        check.detail = look.open.detail;
        return check;
    }

    if (const std::optional<platform::PortLockOwner> lock = platform::livePortLock(name, tree)) {
        check.state = PortState::Busy;
        check.detail = "locked by " + lock->lockFile;
        check.holder = PortHolder{lock->pid, commandOf(lock->pid, tree)};
        return check;
    }
    if (!look.open || look.flockHeld || look.exclusive) {
        check.state = PortState::Busy;
        check.detail = !look.open       ? look.open.detail
                       : look.flockHeld ? std::string("locked (flock) by another program")
                                        : std::string("in exclusive use (TIOCEXCL)");
        std::vector<int> holders = processesWithOpen({name, device}, tree);
        if (!look.flockHeld) {
            // Only exclusive mode: a program that still uses the port has it open on this side.
            const long index = ptyIndex(name);
            const std::vector<int> farEnds =
                index >= 0 ? processesWithMaster(index, tree) : std::vector<int>();
            holders.erase(std::remove_if(holders.begin(), holders.end(),
                                         [&farEnds](int pid) {
                                             return std::find(farEnds.begin(), farEnds.end(), pid) !=
                                                    farEnds.end();
                                         }),
                          holders.end());
            if (holders.empty()) {
                check.leftExclusive = true;
                check.detail = "left in exclusive mode (TIOCEXCL)";
                if (!farEnds.empty()) {
                    check.farEnd = PortHolder{farEnds.front(), commandOf(farEnds.front(), tree)};
                }
                return check;
            }
        }
        if (!holders.empty()) {
            check.holder = PortHolder{holders.front(), commandOf(holders.front(), tree)};
        }
    }
    return check;
}

std::vector<AdapterWithoutTty> findAdaptersWithoutTty(const DeviceTree& tree) {
    std::vector<AdapterWithoutTty> adapters;
    bool brltty = false;
    bool brlttyKnown = false;
    for (const std::string& entry : tree.listDir("/sys/bus/usb/devices")) {
        const std::string folder = tree.resolve("/sys/bus/usb/devices/" + entry);
        if (!tree.exists(folder + "/idVendor")) {
            continue; // a USB interface, or a hub's port
        }
        const UsbDescription usb = usbDescriptionAt(folder, tree);
        if (!chipDriver(usb) || hasTtyBelow(folder, tree, 3)) {
            continue;
        }
        if (!brlttyKnown) {
            brltty = processNamedRuns("brltty", tree);
            brlttyKnown = true;
        }
        adapters.push_back({usb, folder, brltty});
    }
    return adapters;
}

std::string portAdvice(const PortCheck& check, Language language) {
    switch (check.state) {
    case PortState::Free:
    case PortState::Other:
        return {};
    case PortState::PermissionDenied:
        return coreText(CoreText::PortAdviceDialout, language);
    case PortState::NotFound:
        return coreText(CoreText::PortAdviceNotFound, language);
    case PortState::NotSerial:
        return coreText(CoreText::PortAdviceNotSerial, language);
    case PortState::Busy:
        break;
    }
    if (check.leftExclusive) {
        if (check.farEnd) {
            const std::string command = check.farEnd->command.empty() ? "?" : check.farEnd->command;
            return coreTextWith(CoreText::PortAdviceLeftExclusivePty, language,
                                {command, std::to_string(check.farEnd->pid)});
        }
        return coreText(CoreText::PortAdviceLeftExclusive, language);
    }
    if (!check.holder) {
        return coreText(CoreText::PortAdviceBusy, language);
    }
    const std::string pid = std::to_string(check.holder->pid);
    if (check.holder->command == "ModemManager") {
        return coreText(CoreText::PortAdviceModemManager, language, check.holder->command, pid);
    }
    const std::string command = check.holder->command.empty() ? "?" : check.holder->command;
    return coreText(CoreText::PortAdviceBusyBy, language, command, pid);
}

std::string adapterAdvice(const AdapterWithoutTty& adapter, Language language) {
    const char* driver = chipDriver(adapter.usb);
    const std::string description = usbLine(adapter.usb, "");
    if (adapter.brlttyRunning) {
        return coreText(CoreText::AdapterAdviceBrltty, language, description);
    }
    return coreText(CoreText::AdapterAdviceNoTty, language, description, driver ? driver : "usbserial");
}

std::vector<PortDescription> describePorts(const ProgramIni* ini, const DeviceTree& tree) {
    const std::vector<SerialDevice> devices = findSerialDevices(tree);
    std::vector<std::string> names;
    for (const SerialDevice& d : devices) {
        names.push_back(d.device);
    }
    std::vector<PortDescription> ports;
    for (int number = 1; number <= kPortNameCount; ++number) {
        PortDescription port;
        port.name = "COM" + std::to_string(number);
        port.device = resolvePortName(port.name, ini, names);
        if (port.device.empty()) {
            port.check.state = PortState::NotFound;
            port.check.detail = "no serial device for " + port.name;
        } else {
            const std::string tty = tree.resolve(port.device);
            for (const SerialDevice& d : devices) {
                if (d.device == tty || d.byIdPath == port.device) {
                    port.info = d;
                    break;
                }
            }
            port.check = checkPort(port.device, tree);
        }
        ports.push_back(std::move(port));
    }
    return ports;
}

DeviceChanges compareDevices(const std::vector<SerialDevice>& before,
                             const std::vector<SerialDevice>& after) {
    const auto contains = [](const std::vector<SerialDevice>& list, const std::string& name) {
        return std::any_of(list.begin(), list.end(),
                           [&name](const SerialDevice& d) { return d.device == name; });
    };
    DeviceChanges changes;
    for (const SerialDevice& d : before) {
        if (!contains(after, d.device)) {
            changes.gone.push_back(d);
        }
    }
    for (const SerialDevice& d : after) {
        if (!contains(before, d.device)) {
            changes.came.push_back(d);
        }
    }
    return changes;
}
