#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

std::string resolveLinks(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) {
        return path; // a new file, or a dangling link: write where we were told
    }
    std::string result(resolved);
    std::free(resolved);
    return result;
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string target = resolveLinks(path);

    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    // Only a regular file is replaced, and only one that we may write: renaming over a
    // read-only file or a device would get round what its owner decided.
    if (exists && !S_ISREG(st.st_mode)) {
        error = "not a regular file";
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        error = std::strerror(errno);
        return false;
    }

    std::string tmpl = target + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }

    mode_t mode;
    if (exists) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    // The file keeps its owner where we are allowed to give it (root saving a user's file).
    if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
        (void)!::fchown(fd, st.st_uid, st.st_gid);
    }
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(name.data(), target.c_str()) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(name.data());
        error = std::strerror(savedErrno);
        return false;
    }
    return true;
}

bool readRegularFile(const std::string& path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // Without O_NONBLOCK opening a pipe waits for a writer, possibly for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    int savedErrno = 0;
    if (::fstat(fd, &st) != 0) {
        savedErrno = errno;
    } else if (!S_ISREG(st.st_mode)) {
        savedErrno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else if (static_cast<uintmax_t>(st.st_size) > maxBytes) {
        savedErrno = EFBIG;
    }
    // The size may change while we read: never read more than one byte past the limit.
    std::vector<char> buffer(savedErrno == 0 ? static_cast<size_t>(st.st_size) + 1 : 0);
    size_t done = 0;
    while (savedErrno == 0) {
        if (done == buffer.size()) {
            if (buffer.size() > maxBytes) {
                savedErrno = EFBIG;
                break;
            }
            buffer.resize(std::min(maxBytes + 1, buffer.size() * 2));
        }
        const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            savedErrno = errno;
        } else if (n == 0) {
            break;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    ::close(fd);
    if (savedErrno != 0) {
        errno = savedErrno;
        return false;
    }
    bytes.assign(buffer.data(), done);
    return true;
}

} // namespace platform
