#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <random>
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

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
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

// Flushes the folder's entries (a rename, a new name) to disk, as far as the file system lets
// us. Best effort: by then the file is in place, and saying the save failed would be untrue.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

// Holds the signals that would end the process while a temporary file exists; they are
// delivered when the holder goes.
class SignalHold {
public:
    SignalHold() {
        sigset_t set;
        sigemptyset(&set);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
            sigaddset(&set, signal);
        }
        pthread_sigmask(SIG_BLOCK, &set, &m_previous);
    }
    ~SignalHold() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

private:
    sigset_t m_previous{};
};

// Creates a temporary file beside `target` with the given mode (the umask applies), writes the
// bytes and flushes them. Returns its descriptor's name, or "" with errno set.
std::string writeTemporary(const std::string& target, const std::string& bytes, mode_t mode,
                           const struct stat* owner) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(random());
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        bool ok = true;
        if (owner != nullptr) {
            // The file keeps its owner where we are allowed to give it (root saving a user's
            // file), and its own mode, which the umask must not cut.
            if (owner->st_uid != ::geteuid() || owner->st_gid != ::getegid()) {
                (void)!::fchown(fd, owner->st_uid, owner->st_gid);
            }
            ok = ::fchmod(fd, owner->st_mode & 07777) == 0;
        }
        ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
        int savedErrno = errno;
        if (::close(fd) != 0 && ok) {
            ok = false;
            savedErrno = errno;
        }
        if (!ok) {
            ::unlink(name.c_str());
            errno = savedErrno;
            return {};
        }
        return name;
    }
    errno = EEXIST;
    return {};
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

    const SignalHold hold;
    const std::string temporary = writeTemporary(target, bytes, 0666, exists ? &st : nullptr);
    if (temporary.empty()) {
        error = std::strerror(errno);
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

bool writeNewFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const SignalHold hold;
    const std::string temporary = writeTemporary(path, bytes, 0666, nullptr);
    if (temporary.empty()) {
        error = std::strerror(errno);
        return false;
    }
    // A hard link creates the name only when nothing has it, in one step.
    int savedErrno = 0;
    if (::link(temporary.c_str(), path.c_str()) != 0) {
        savedErrno = errno;
    }
    ::unlink(temporary.c_str());
    if (savedErrno == EPERM || savedErrno == EOPNOTSUPP || savedErrno == EMLINK) {
        // A file system without hard links: the name is taken with O_EXCL and then filled. A
        // crash meanwhile can leave it short, but never replaces a file that was there.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = std::strerror(errno);
            return false;
        }
        const bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
        savedErrno = ok ? 0 : errno;
        ::close(fd);
        if (!ok) {
            ::unlink(path.c_str());
        }
    }
    if (savedErrno != 0) {
        error = std::strerror(savedErrno);
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

ReplaceCheck checkReplaceable(const std::string& path) {
    ReplaceCheck check;
    const std::string target = resolveLinks(path);
    check.folder = folderOf(target);
    struct stat st {};
    check.targetExists = ::stat(target.c_str(), &st) == 0;
    if (check.targetExists && S_ISDIR(st.st_mode)) {
        check.problem = ReplaceProblem::TargetIsFolder;
        return check;
    }
    struct stat folder {};
    if (::stat(check.folder.c_str(), &folder) != 0) {
        check.problem = errno == ENOTDIR ? ReplaceProblem::FolderNotFolder : ReplaceProblem::FolderMissing;
        check.detail = std::strerror(errno);
        return check;
    }
    if (!S_ISDIR(folder.st_mode)) {
        check.problem = ReplaceProblem::FolderNotFolder;
        return check;
    }
    // The temporary file is made in the folder and renamed there: both need write and search.
    if (::access(check.folder.c_str(), W_OK | X_OK) != 0) {
        check.problem = ReplaceProblem::FolderNotWritable;
        check.detail = std::strerror(errno);
        return check;
    }
    if (check.targetExists && !S_ISREG(st.st_mode)) {
        check.problem = ReplaceProblem::TargetNotRegular;
    } else if (check.targetExists && ::access(target.c_str(), W_OK) != 0) {
        check.problem = ReplaceProblem::TargetNotWritable;
        check.detail = std::strerror(errno);
    }
    return check;
}

namespace {

// Reads `fd` to its end into `bytes`, starting with room for `expected` bytes and never reading
// more than one byte past `maxBytes` (EFBIG). Keeps errno of a failure; closes nothing.
bool readToEnd(int fd, size_t expected, size_t maxBytes, std::string& bytes) {
    // The size may change while we read: never read more than one byte past the limit.
    std::vector<char> buffer(std::min(expected, maxBytes) + 1);
    size_t done = 0;
    for (;;) {
        if (done == buffer.size()) {
            if (buffer.size() > maxBytes) {
                errno = EFBIG;
                return false;
            }
            buffer.resize(std::min(maxBytes + 1, buffer.size() * 2));
        }
        const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EAGAIN) {
            pollfd waiting{fd, POLLIN, 0};
            (void)::poll(&waiting, 1, -1);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    bytes.assign(buffer.data(), done);
    return true;
}

// Opens `path` without waiting and reads it when fstat finds a kind in `accepted` (a regular
// file always). A named pipe is opened again, this time waiting for its writer.
bool readOpened(const std::string& path, size_t maxBytes, std::string& bytes, bool pipes) {
    bytes.clear();
    // Without O_NONBLOCK opening a pipe waits for a writer, possibly for ever.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    int savedErrno = 0;
    if (::fstat(fd, &st) != 0) {
        savedErrno = errno;
    } else if (S_ISFIFO(st.st_mode) && pipes) {
        ::close(fd);
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        st.st_size = 0;
    } else if (!S_ISREG(st.st_mode)) {
        savedErrno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else if (static_cast<uintmax_t>(st.st_size) > maxBytes) {
        savedErrno = EFBIG;
    }
    if (savedErrno == 0 && !readToEnd(fd, static_cast<size_t>(st.st_size), maxBytes, bytes)) {
        savedErrno = errno;
    }
    ::close(fd);
    errno = savedErrno;
    return savedErrno == 0;
}

} // namespace

bool readRegularFile(const std::string& path, size_t maxBytes, std::string& bytes) {
    return readOpened(path, maxBytes, bytes, false);
}

bool readFileOrPipe(const std::string& path, size_t maxBytes, std::string& bytes) {
    return readOpened(path, maxBytes, bytes, true);
}

bool readDescriptor(int fd, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    return readToEnd(fd, 4096, maxBytes, bytes);
}

} // namespace platform
