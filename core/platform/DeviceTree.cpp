#include "platform/DeviceTree.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;
// How deep a link's target is itself resolved to tell whether it exists in the tree.
constexpr int kMaxTargetDepth = 2;
constexpr int kMaxTargetLinks = 8;

std::vector<std::string> partsOf(const std::string& name) {
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= name.size()) {
        size_t end = name.find('/', at);
        end = end == std::string::npos ? name.size() : end;
        if (end > at) {
            parts.push_back(name.substr(at, end - at));
        }
        at = end + 1;
    }
    return parts;
}

// "/a/b/c" -> {"/a/b", "c"}; "/" -> {"/", ""}.
std::pair<std::string, std::string> splitLast(const std::string& absolute) {
    const size_t slash = absolute.rfind('/');
    if (slash == std::string::npos) {
        return {"/", absolute};
    }
    return {slash == 0 ? "/" : absolute.substr(0, slash), absolute.substr(slash + 1)};
}

int openRetrying(int folder, const char* name, int flags) {
    int fd;
    do {
        fd = ::openat(folder, name, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Closes the descriptor when it goes out of scope.
struct Fd {
    int fd;
    ~Fd() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

} // namespace

DeviceTree::DeviceTree(std::string root) : m_root(std::move(root)) {
    if (m_root.empty()) {
        m_root = "/";
    }
    while (m_root.size() > 1 && m_root.back() == '/') {
        m_root.pop_back();
    }
}

std::string DeviceTree::path(const std::string& absolute) const {
    if (isRealMachine()) {
        return absolute;
    }
    if (absolute.empty() || absolute.front() != '/') {
        return m_root + "/" + absolute;
    }
    return m_root + absolute;
}

int DeviceTree::openFolderAsIs(const std::string& absolute) const {
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC;
    if (isRealMachine()) {
        return openRetrying(AT_FDCWD, absolute.empty() ? "/" : absolute.c_str(), kFlags);
    }
    // One part at a time from the root, following no link: resolve() has followed those that
    // stay inside the tree, so a link left in the name leads out of it.
    int fd = openRetrying(AT_FDCWD, m_root.c_str(), kFlags);
    for (const std::string& part : partsOf(absolute)) {
        if (fd < 0) {
            break;
        }
        const int next = part == ".." ? -1 : openRetrying(fd, part.c_str(), kFlags | O_NOFOLLOW);
        ::close(fd);
        fd = next;
    }
    return fd;
}

std::string DeviceTree::readLinkAsIs(const std::string& absolute) const {
    char target[4096];
    if (isRealMachine()) {
        const ssize_t length = ::readlink(absolute.c_str(), target, sizeof target);
        return length > 0 ? std::string(target, static_cast<size_t>(length)) : std::string();
    }
    const auto [folder, name] = splitLast(absolute);
    const Fd dir{name.empty() ? -1 : openFolderAsIs(folder)};
    if (dir.fd < 0) {
        return {};
    }
    const ssize_t length = ::readlinkat(dir.fd, name.c_str(), target, sizeof target);
    return length > 0 ? std::string(target, static_cast<size_t>(length)) : std::string();
}

bool DeviceTree::existsAsIs(const std::string& absolute) const {
    struct stat info {};
    if (isRealMachine()) {
        return ::lstat(absolute.c_str(), &info) == 0;
    }
    const auto [folder, name] = splitLast(absolute);
    const Fd dir{openFolderAsIs(folder)};
    if (name.empty()) {
        return dir.fd >= 0;
    }
    return dir.fd >= 0 && ::fstatat(dir.fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

int DeviceTree::openFolder(const std::string& absolute) const {
    return openFolderAsIs(isRealMachine() ? absolute : resolve(absolute));
}

std::vector<std::string> DeviceTree::listDir(const std::string& absolute) const {
    std::vector<std::string> names;
    const int fd = openFolder(absolute);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0) {
            ::close(fd);
        }
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string DeviceTree::readBytes(const std::string& absolute, size_t maxBytes) const {
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    int fd = -1;
    if (isRealMachine()) {
        fd = openRetrying(AT_FDCWD, absolute.c_str(), kFlags);
    } else {
        const auto [folder, name] = splitLast(resolve(absolute));
        const Fd dir{name.empty() ? -1 : openFolderAsIs(folder)};
        fd = dir.fd < 0 ? -1 : openRetrying(dir.fd, name.c_str(), kFlags);
    }
    const Fd file{fd};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    std::string bytes(maxBytes, '\0');
    size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(file.fd, &bytes[got], maxBytes - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

std::string DeviceTree::readText(const std::string& absolute, size_t maxBytes) const {
    std::string text = readBytes(absolute, maxBytes);
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r' ||
                             text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t' || text[start] == '\n')) {
        ++start;
    }
    return text.substr(start);
}

std::string DeviceTree::readLink(const std::string& absolute) const {
    if (isRealMachine()) {
        return readLinkAsIs(absolute);
    }
    const auto [folder, name] = splitLast(normalizedPath("/", absolute));
    return readLinkAsIs(normalizedPath(resolve(folder), name));
}

bool DeviceTree::exists(const std::string& absolute) const {
    if (isRealMachine()) {
        return existsAsIs(absolute);
    }
    const auto [folder, name] = splitLast(normalizedPath("/", absolute));
    return existsAsIs(name.empty() ? resolve(folder) : normalizedPath(resolve(folder), name));
}

bool DeviceTree::isDirectory(const std::string& absolute) const {
    if (isRealMachine()) {
        struct stat info {};
        return ::stat(absolute.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    const Fd dir{openFolder(absolute)};
    return dir.fd >= 0;
}

std::string DeviceTree::resolve(const std::string& absolute) const {
    return resolveWithin(absolute, 0);
}

std::string DeviceTree::resolveWithin(const std::string& absolute, int depth) const {
    // realpath() inside the tree: the name is taken apart and built up again one part at a time,
    // a part that is a link being replaced by its target, so that links in the middle (sysfs's
    // /sys/class/tty/ttyUSB0 is one) count as well as the last one.
    std::vector<std::string> pending;
    const auto pushFront = [&pending](const std::string& name) {
        const std::vector<std::string> parts = partsOf(name);
        pending.insert(pending.begin(), parts.begin(), parts.end());
    };
    pushFront(absolute);
    std::string done; // resolved so far, no links in it; "" is the root
    int links = 0;
    while (!pending.empty()) {
        const std::string part = pending.front();
        pending.erase(pending.begin());
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            done = done.substr(0, done.empty() ? 0 : done.rfind('/'));
            continue;
        }
        const std::string candidate = done + "/" + part;
        const std::string target =
            links < (depth == 0 ? kMaxLinks : kMaxTargetLinks) ? readLinkAsIs(candidate) : std::string();
        // A target outside the tree (a fake tree's link to a real terminal) is not followed.
        if (!target.empty() && depth < kMaxTargetDepth &&
            existsAsIs(resolveWithin(normalizedPath(done.empty() ? "/" : done, target), depth + 1))) {
            ++links;
            if (target.front() == '/') {
                done.clear();
            }
            pushFront(target);
            continue;
        }
        done = candidate;
    }
    return done.empty() ? "/" : done;
}

std::string normalizedPath(const std::string& folder, const std::string& name) {
    const std::string whole = !name.empty() && name.front() == '/' ? name : folder + "/" + name;
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= whole.size()) {
        size_t end = whole.find('/', at);
        if (end == std::string::npos) {
            end = whole.size();
        }
        const std::string part = whole.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string result;
    for (const std::string& part : parts) {
        result += "/" + part;
    }
    return result.empty() ? "/" : result;
}
