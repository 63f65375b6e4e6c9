// A fake device tree of any shape (files of any bytes, folders, links inside and out of it,
// FIFOs) at the places the port list reads, through the device list, the adapters without a tty,
// the port check and taking and releasing a lock. Nothing blocks (a FIFO read would hang past
// libFuzzer's time-out), nothing outside the root is read, created or removed, a lock whose
// process lives is never removed, and what is shown is valid UTF-8 without control characters.

#include "FuzzSupport.h"

#include "platform/PortLockFile.h"
#include "radio/SerialDevices.h"
#include "text/Utf8.h"

#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The places the code under test looks at, and a few above them.
const char* const kPlaces[] = {
    "/dev/ttyUSB0",
    "/dev/ttyS0",
    "/dev/ttyACM0",
    "/dev/serial/by-id/cable",
    "/sys/class/tty/ttyUSB0",
    "/sys/class/tty/ttyUSB0/device",
    "/sys/class/tty/ttyS0/type",
    "/sys/class/tty/ttyS0/device",
    "/sys/devices/usb1/1-1",
    "/sys/devices/usb1/1-1/idVendor",
    "/sys/devices/usb1/1-1/idProduct",
    "/sys/devices/usb1/1-1/product",
    "/sys/devices/usb1/1-1/manufacturer",
    "/sys/devices/usb1/1-1/1-1:1.0/bInterfaceNumber",
    "/sys/devices/usb1/1-1/1-1:1.0/driver",
    "/sys/devices/usb1/1-1/1-1:1.0/ttyUSB0",
    "/sys/bus/usb/devices/1-1",
    "/proc/4242",
    "/proc/4242/comm",
    "/proc/4242/cmdline",
    "/proc/4242/fd/3",
    "/proc/4294967296",
    "/proc/99999999999999999999",
    "/run/lock",
    "/var/lock",
    "/run/lock/LCK..ttyUSB0",
    "/var/lock/LCK..ttyUSB0",
    "/run/lock/LTMP.ttyUSB0.1",
};
constexpr size_t kPlaceCount = sizeof kPlaces / sizeof kPlaces[0];

// What lies outside the root: a USB device and a process whose strings say so, and a lock
// folder with a stale lock. None of it may show, and none of it may change.
const char* const kOutsideMark = "OUTSIDE";

void makeOutside(const std::string& outside) {
    fs::create_directories(outside + "/usb");
    fs::create_directories(outside + "/proc/4242");
    fs::create_directories(outside + "/lock");
    fuzz::writeFile(outside + "/usb/idVendor", "1a86\n");
    fuzz::writeFile(outside + "/usb/idProduct", "7523\n");
    fuzz::writeFile(outside + "/usb/product", std::string(kOutsideMark) + "\n");
    fuzz::writeFile(outside + "/usb/manufacturer", std::string(kOutsideMark) + "\n");
    fuzz::writeFile(outside + "/proc/4242/comm", std::string(kOutsideMark) + "\n");
    fuzz::writeFile(outside + "/lock/LCK..ttyUSB0", "  99999999\n");
}

std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        files[it->path().string()] = it->is_regular_file() ? fuzz::readFile(it->path().string()) : "";
    }
    return files;
}

// A link's target: a place in the tree (absolute, or relative to the link's folder), a place
// outside, or the fuzzer's own bytes.
std::string linkTarget(fuzz::Bytes& in, const std::string& outside, const std::string& place) {
    const uint8_t kind = in.byte() % 5;
    const std::string other = kPlaces[in.byte() % kPlaceCount];
    switch (kind) {
    case 0:
        return other;
    case 1: {
        std::string up;
        for (size_t i = 1; i < place.size(); ++i) {
            up += place[i] == '/' ? "../" : "";
        }
        return up + other.substr(1);
    }
    case 2: {
        const char* const kOutside[] = {"/usb", "/proc", "/lock", "/lock/LCK..ttyUSB0", "/proc/4242/comm"};
        return outside + kOutside[in.byte() % 5];
    }
    case 3:
        return "../../../../../../../../.." + outside + "/usb";
    default:
        return std::string(in.take(in.byte() % 32));
    }
}

void build(fuzz::Bytes& in, const std::string& root, const std::string& outside) {
    while (!in.empty()) {
        const uint8_t kind = in.byte() % 4;
        const std::string place = kPlaces[in.byte() % kPlaceCount];
        const std::string at = root + place;
        bool belowLink = false;
        for (size_t slash = place.find('/', 1); slash != std::string::npos;
             slash = place.find('/', slash + 1)) {
            belowLink = belowLink || fs::is_symlink(fs::symlink_status(root + place.substr(0, slash)));
        }
        std::error_code error;
        if (!belowLink) {
            fs::create_directories(fs::path(at).parent_path(), error);
        }
        if (belowLink || error || fs::exists(fs::symlink_status(at))) {
            continue; // a place below a file or a link, or already made
        }
        switch (kind) {
        case 0: {
            const std::string_view bytes = in.take(in.byte());
            std::ofstream(at, std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            break;
        }
        case 1:
            fs::create_directories(at, error);
            break;
        case 2:
            fs::create_symlink(linkTarget(in, outside, place), at, error);
            break;
        default:
            ::mkfifo(at.c_str(), 0600);
            break;
        }
    }
}

bool shownClean(const std::string& text, size_t maxBytes = 64) {
    if (text.size() > maxBytes) {
        return false;
    }
    for (size_t at = 0; at < text.size();) {
        const utf8::Sequence sequence = utf8::decodeAt(text, at);
        if (sequence.length == 0 || sequence.codePoint < 0x20 || sequence.codePoint == 0x7f) {
            return false;
        }
        at += sequence.length;
    }
    return text.find(kOutsideMark) == std::string::npos;
}

// The regular lock files in real folders of the tree whose process lives, with their bytes.
std::map<std::string, std::string> liveLocks(const std::string& root, const DeviceTree& tree) {
    std::map<std::string, std::string> locks;
    for (const char* folder : {"/run/lock", "/var/lock"}) {
        const std::string file = root + folder + "/LCK..ttyUSB0";
        struct stat info {};
        if (fs::is_symlink(fs::symlink_status(root + folder)) || ::lstat(file.c_str(), &info) != 0 ||
            !S_ISREG(info.st_mode)) {
            continue;
        }
        const std::string bytes = fuzz::readFile(file);
        if (platform::processRuns(platform::lockFilePid(bytes), tree)) {
            locks[file] = bytes;
        }
    }
    return locks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string root = fuzz::scratch().file("root");
    const std::string outside = fuzz::scratch().file("outside");
    std::error_code error;
    fs::remove_all(root, error);
    fs::remove_all(outside, error);
    fs::create_directories(root);
    makeOutside(outside);
    fuzz::Bytes in(data, size);
    build(in, root, outside);
    const std::map<std::string, std::string> outsideBefore = snapshot(outside);
    const DeviceTree tree(root);
    const std::map<std::string, std::string> live = liveLocks(root, tree);

    for (const SerialDevice& device : findSerialDevices(tree)) {
        fuzz::require(shownClean(device.description(), 1024), "a description is clean");
        if (device.usb) {
            for (const std::string* text :
                 {&device.usb->product, &device.usb->manufacturer, &device.usb->serial}) {
                fuzz::require(shownClean(*text), "a USB string is clean, cut between characters");
            }
        }
    }
    for (const AdapterWithoutTty& adapter : findAdaptersWithoutTty(tree)) {
        fuzz::require(shownClean(adapter.usb.product), "an adapter's string is clean");
    }
    for (const PortDescription& port : describePorts(nullptr, tree)) {
        if (port.check.holder) {
            fuzz::require(shownClean(port.check.holder->command), "a holder's command is clean");
        }
    }
    {
        platform::PortLockFile lock;
        const platform::PortLockResult result = lock.take("/dev/ttyUSB0", tree);
        fuzz::require(live.empty() || result == platform::PortLockResult::Busy,
                      "a live lock makes the port busy");
    }
    for (const auto& [file, bytes] : live) {
        fuzz::require(fuzz::readFile(file) == bytes, "a lock whose process lives stays");
    }
    fuzz::require(snapshot(outside) == outsideBefore, "nothing outside the root is created or removed");
    for (const char* folder : {"/run/lock", "/var/lock"}) {
        for (const std::string& name : tree.listDir(folder)) {
            fuzz::require(name.rfind("LTMP.ttyUSB0." + std::to_string(::getpid()), 0) != 0,
                          "no temporary lock file is left");
        }
    }
    return 0;
}
