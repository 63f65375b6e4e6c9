// radio-sim: a simulated radio on a pseudo-terminal. The first line of its output is the
// device to point the programmer at; after that, one line per completed session.

#include "RadioSimulator.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "usage: radio-sim [options]\n"
    "\n"
    "A radio that answers the clone protocol on a pseudo-terminal. The first line of output\n"
    "is the device path; point the programmer at it. Runs until interrupted.\n"
    "\n"
    "  --memory FILE.dat    start with this 1024-byte memory image (default: all 0xFF)\n"
    "  --save FILE.dat      save the memory to this file after every completed write\n"
    "  --link PATH          also make a symbolic link to the device at PATH\n"
    "  --paced              send every byte at the 9600-baud pace (1.04 ms a byte)\n"
    "  --identity TEXT      answer the identification with TEXT (up to 8 characters)\n"
    "  --ignore-handshake   never acknowledge the handshake, like a radio switched off\n"
    "  --early-reply        acknowledge the handshake after its seventh byte\n"
    "  --sequential-only    refuse (0x15) a write frame whose address is not the next in order\n"
    "  --stall-at N         stop answering at frame N (0 to 101) until the next handshake\n"
    "  --nak-at N           answer frame N, or the acknowledgement of read frame N, with 0x15\n"
    "  --short-reply-at N   send only 6 of the 12 bytes of the reply to read frame N\n"
    "  --corrupt-at N       store write frame N with one wrong byte, yet acknowledge it\n"
    "  --help               show this text\n"
    "  --version            show the version\n";

struct CommandLine {
    SimulatorOptions options;
    std::string memoryFile;
    std::string linkPath;
    bool help = false;
    bool version = false;
};

bool parseFrameNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && value >= 0;
}

// Fills `line`; on a bad argument returns false with the reason in `error`.
bool parseCommandLine(int argc, char** argv, CommandLine& line, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
            hasValue = true;
        }
        const auto takeValue = [&]() {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        const auto takeFrame = [&](int& frame) {
            if (!takeValue()) {
                return false;
            }
            if (!parseFrameNumber(value, frame)) {
                error = arg + " needs a frame number (0 or more), not '" + value + "'";
                return false;
            }
            return true;
        };
        const auto takeFlag = [&](bool& flag) {
            if (hasValue) {
                error = arg + " takes no value";
                return false;
            }
            flag = true;
            return true;
        };

        SimulatorOptions& options = line.options;
        if (arg == "--help" || arg == "-h") {
            if (!takeFlag(line.help)) {
                return false;
            }
        } else if (arg == "--version") {
            if (!takeFlag(line.version)) {
                return false;
            }
        } else if (arg == "--memory") {
            if (!takeValue()) {
                return false;
            }
            line.memoryFile = value;
        } else if (arg == "--save") {
            if (!takeValue()) {
                return false;
            }
            options.saveFile = value;
        } else if (arg == "--link") {
            if (!takeValue()) {
                return false;
            }
            line.linkPath = value;
        } else if (arg == "--identity") {
            if (!takeValue()) {
                return false;
            }
            if (value.size() > options.identity.size()) {
                error = "--identity takes up to 8 characters, not " + std::to_string(value.size());
                return false;
            }
            options.identity.fill(0x00);
            std::copy(value.begin(), value.end(), options.identity.begin());
        } else if (arg == "--paced") {
            if (!takeFlag(options.paced)) {
                return false;
            }
        } else if (arg == "--sequential-only") {
            if (!takeFlag(options.sequentialOnly)) {
                return false;
            }
        } else if (arg == "--ignore-handshake") {
            if (!takeFlag(options.ignoreHandshake)) {
                return false;
            }
        } else if (arg == "--early-reply") {
            if (!takeFlag(options.earlyReply)) {
                return false;
            }
        } else if (arg == "--stall-at") {
            if (!takeFrame(options.stallAtFrame)) {
                return false;
            }
        } else if (arg == "--nak-at") {
            if (!takeFrame(options.nakAtFrame)) {
                return false;
            }
        } else if (arg == "--short-reply-at") {
            if (!takeFrame(options.shortReplyAtFrame)) {
                return false;
            }
        } else if (arg == "--corrupt-at") {
            if (!takeFrame(options.corruptAtFrame)) {
                return false;
            }
        } else {
            error = "unknown option '" + std::string(argv[i]) + "'";
            return false;
        }
    }
    return true;
}

// Replaces a symbolic link left at `path` by an earlier run, but never a real file.
bool makeLink(const std::string& path, const std::string& target, std::string& error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = path + " exists and is not a symbolic link; not replacing it";
            return false;
        }
        if (::unlink(path.c_str()) != 0) {
            error = "cannot replace " + path + ": " + std::strerror(errno);
            return false;
        }
    }
    if (::symlink(target.c_str(), path.c_str()) != 0) {
        error = "cannot make the link " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Removes the link only while it still leads to this run's device.
void removeLink(const std::string& path, const std::string& target) {
    char buffer[4096];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (n >= 0 && std::string(buffer, static_cast<size_t>(n)) == target) {
        ::unlink(path.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line;
    std::string error;
    if (!parseCommandLine(argc, argv, line, error)) {
        std::fprintf(stderr, "radio-sim: %s\nTry 'radio-sim --help'.\n", error.c_str());
        return 2;
    }
    if (line.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("radio-sim %s\n", RADIO_VERSION);
        return 0;
    }

    // The signals are taken by sigtimedwait below; blocked before the serving thread starts, so
    // that it inherits the mask and never receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RadioSimulator radio(line.options);
    if (!line.memoryFile.empty() && !radio.loadMemory(line.memoryFile, &error)) {
        std::fprintf(stderr, "radio-sim: %s\n", error.c_str());
        return 1;
    }
    if (!radio.start(&error)) {
        std::fprintf(stderr, "radio-sim: %s\n", error.c_str());
        return 1;
    }
    const std::string device = radio.devicePath();
    if (!line.linkPath.empty() && !makeLink(line.linkPath, device, error)) {
        std::fprintf(stderr, "radio-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", device.c_str());
    std::fflush(stdout);

    int reads = 0;
    int writes = 0;
    const timespec pollInterval = {0, 100 * 1000 * 1000};
    for (;;) {
        const int signal = sigtimedwait(&stopSignals, nullptr, &pollInterval);
        if (signal == SIGINT || signal == SIGTERM) {
            break;
        }
        for (; reads < radio.completedReads(); ++reads) {
            std::printf("read %d complete\n", reads + 1);
        }
        for (; writes < radio.completedWrites(); ++writes) {
            if (line.options.saveFile.empty()) {
                std::printf("write %d complete\n", writes + 1);
            } else {
                std::printf("write %d complete, saved to %s\n", writes + 1, line.options.saveFile.c_str());
            }
        }
        std::fflush(stdout);
    }

    radio.stop();
    if (!line.linkPath.empty()) {
        removeLink(line.linkPath, device);
    }
    return 0;
}
