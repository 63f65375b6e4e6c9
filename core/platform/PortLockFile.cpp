#include "platform/PortLockFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kLockFolders[] = {"/run/lock", "/var/lock"};
constexpr size_t kMaxLockFileBytes = 64;

// The lock files this process holds, for removal from a signal handler. This is the one piece
// of process-wide state of the serial layer: a handler can reach nothing else. A slot is free
// (0), being filled or emptied (1), or holds a complete name the handler may unlink (2).
struct HeldLockSlot {
    std::atomic<int> state{0};
    char path[4096] = {};
};
constexpr int kHeldLockSlots = 8;
HeldLockSlot heldLocks[kHeldLockSlots];
static_assert(std::atomic<int>::is_always_lock_free);

int registerHeldLock(const std::string& path) {
    if (path.size() >= sizeof heldLocks[0].path) {
        return -1;
    }
    for (int i = 0; i < kHeldLockSlots; ++i) {
        int expected = 0;
        if (heldLocks[i].state.compare_exchange_strong(expected, 1)) {
            std::memcpy(heldLocks[i].path, path.c_str(), path.size() + 1);
            heldLocks[i].state.store(2);
            return i;
        }
    }
    return -1;
}

void unregisterHeldLock(int index) {
    if (index < 0 || index >= kHeldLockSlots) {
        return;
    }
    heldLocks[index].state.store(1);
    heldLocks[index].path[0] = '\0';
    heldLocks[index].state.store(0);
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

// The highest PID Linux hands out (PID_MAX_LIMIT on 64-bit systems).
constexpr int32_t kMaxPid = 4194304;

// The bytes of lock file `name` in the folder, when it is a regular file; opened without
// waiting and without following a link, so that a FIFO or a link to a terminal is no lock.
std::optional<std::string> readLockAt(int folder, const std::string& name) {
    int fd;
    do {
        fd = ::openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes(kMaxLockFileBytes, '\0');
    ssize_t got;
    do {
        got = ::read(fd, &bytes[0], bytes.size());
    } while (got < 0 && errno == EINTR);
    ::close(fd);
    bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return bytes;
}

} // namespace

std::vector<std::string> lockFolders(const DeviceTree& tree) {
    std::vector<std::string> folders;
    for (const char* folder : kLockFolders) {
        if (tree.isDirectory(folder)) {
            folders.emplace_back(folder);
        }
    }
    return folders;
}

std::string lockFileName(const std::string& device) {
    const size_t slash = device.rfind('/');
    return "LCK.." + (slash == std::string::npos ? device : device.substr(slash + 1));
}

int lockFilePid(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && isSpace(text[at])) {
        ++at;
    }
    long pid = 0;
    size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 10) {
        pid = pid * 10 + (text[at] - '0');
        ++at;
        ++digits;
    }
    bool onlySpaceAfter = true;
    for (size_t i = at; i < text.size(); ++i) {
        onlySpaceAfter = onlySpaceAfter && isSpace(text[i]);
    }
    if (digits > 0 && onlySpaceAfter && !(text.size() == 4 && text.find('\0') != std::string::npos)) {
        return pid > 0 && pid <= 0x3fffffff ? static_cast<int>(pid) : 0;
    }
    // Four bytes with a NUL among them are a binary PID in the machine's byte order (no PID
    // above kMaxPid has all four bytes non-zero); four digits are text.
    if (text.size() == 4 && text.find('\0') != std::string::npos) {
        int32_t binary = 0;
        std::memcpy(&binary, text.data(), sizeof binary);
        return binary > 0 && binary <= kMaxPid ? binary : 0;
    }
    return 0;
}

int currentProcessId() {
    return static_cast<int>(::getpid());
}

bool processRuns(int pid, const DeviceTree& tree) {
    if (pid <= 0) {
        return false;
    }
    // A fake tree with a /proc of its own answers from it. The machine's /proc may hide other
    // users' processes (hidepid), so there the system is asked, as also for a tree without one.
    if (!tree.isRealMachine() && tree.isDirectory("/proc")) {
        return tree.isDirectory("/proc/" + std::to_string(pid));
    }
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

std::optional<PortLockOwner> livePortLock(const std::string& device, const DeviceTree& tree) {
    const std::string name = lockFileName(device);
    for (const std::string& folder : lockFolders(tree)) {
        const int fd = tree.openFolder(folder);
        if (fd < 0) {
            continue;
        }
        const std::optional<std::string> text = readLockAt(fd, name);
        ::close(fd);
        const int pid = text ? lockFilePid(*text) : 0;
        if (processRuns(pid, tree)) {
            return PortLockOwner{pid, folder + "/" + name};
        }
    }
    return std::nullopt;
}

PortLockFile::~PortLockFile() {
    release();
}

PortLockResult PortLockFile::take(const std::string& device, const DeviceTree& tree) {
    release();
    m_owner = {};
    if (const std::optional<PortLockOwner> live = livePortLock(device, tree)) {
        m_owner = *live;
        return PortLockResult::Busy;
    }
    const std::string name = lockFileName(device);
    const std::string temporary = "LTMP." + name.substr(5) + "." + std::to_string(::getpid());
    char content[16];
    std::snprintf(content, sizeof content, "%10d\n", static_cast<int>(::getpid()));
    for (const std::string& folder : lockFolders(tree)) {
        // Everything happens in the folder's descriptor: in a fake tree it is inside the tree,
        // and nothing below follows a link.
        const int dir = tree.openFolder(folder);
        if (dir < 0) {
            continue;
        }
        ::unlinkat(dir, temporary.c_str(), 0);
        const int fd = ::openat(dir, temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) {
            ::close(dir);
            continue; // not ours to write in; try the next folder
        }
        const bool written = ::write(fd, content, 11) == 11;
        ::close(fd);
        for (int attempt = 0; written && attempt < 2; ++attempt) {
            if (::linkat(dir, temporary.c_str(), dir, name.c_str(), 0) == 0) {
                ::unlinkat(dir, temporary.c_str(), 0);
                m_folder = dir;
                m_name = name;
                m_path = tree.path(tree.resolve(folder)) + "/" + name;
                m_slot = registerHeldLock(m_path);
                return PortLockResult::Taken;
            }
            if (errno != EEXIST) {
                break;
            }
            // A lock file that names no running process is stale: remove it and try once more.
            // What is no regular file (a FIFO, a link) is nobody's lock, and not ours to remove.
            const std::optional<std::string> text = readLockAt(dir, name);
            if (!text) {
                break;
            }
            const int pid = lockFilePid(*text);
            if (processRuns(pid, tree)) {
                ::unlinkat(dir, temporary.c_str(), 0);
                ::close(dir);
                m_owner = {pid, folder + "/" + name};
                return PortLockResult::Busy;
            }
            ::unlinkat(dir, name.c_str(), 0);
        }
        ::unlinkat(dir, temporary.c_str(), 0);
        ::close(dir);
    }
    return PortLockResult::NotNeeded;
}

void PortLockFile::release() {
    if (m_path.empty()) {
        return;
    }
    unregisterHeldLock(m_slot);
    m_slot = -1;
    ::unlinkat(m_folder, m_name.c_str(), 0);
    ::close(m_folder);
    m_folder = -1;
    m_path.clear();
}

void removeHeldLockFilesNow() {
    for (HeldLockSlot& slot : heldLocks) {
        if (slot.state.load() == 2) {
            ::unlink(slot.path);
        }
    }
}

} // namespace platform
