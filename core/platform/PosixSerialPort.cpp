#include "platform/PosixSerialPort.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// The line's read time-outs: a read of n bytes gives up after kReadTotalPerByteMs * n +
// kReadTotalConstantMs in total, or kReadIntervalMs after the last byte received.
constexpr int kReadTotalPerByteMs = 50;
constexpr int kReadTotalConstantMs = 90;
constexpr int kReadIntervalMs = 30;
// A write that cannot hand all its bytes to the driver within 50 * n + 50 ms has failed (a line
// stopped by the device, a pseudo-terminal nobody reads).
constexpr int kWriteTotalPerByteMs = 50;
constexpr int kWriteTotalConstantMs = 50;
// One byte at 9600 baud with start and stop bits: 10 bits, 1042 microseconds. clear() waits for
// the queued output no longer than the bytes take at that rate plus the margin.
constexpr long long kByteTimeUs = 1042;
constexpr int kDrainMarginMs = 50;
constexpr std::chrono::microseconds kDrainPollStep{200};

PortOpenResult failure(PortError error, int errnoValue) {
    return {error, std::strerror(errnoValue)};
}

PortError openErrorKind(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
        return PortError::NotFound;
    case EACCES:
    case EPERM:
        return PortError::PermissionDenied;
    case EBUSY:
        return PortError::Busy;
    case EISDIR:
        return PortError::NotSerial;
    default:
        return PortError::Other;
    }
}

// Milliseconds from now until `deadline`, rounded up so that a wait never ends just short of it.
int msUntil(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) {
        return 0;
    }
    return static_cast<int>(std::chrono::ceil<Milliseconds>(left).count());
}

// Waits for `events` on fd until `deadline`; returns the revents, 0 on time-out, -1 on a poll
// failure. A signal that interrupts the wait does not lengthen it: the time left is recomputed.
int waitFor(int fd, short events, Clock::time_point deadline) {
    pollfd pfd{fd, events, 0};
    for (;;) {
        const int n = ::poll(&pfd, 1, msUntil(deadline));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        return n == 0 ? 0 : pfd.revents;
    }
}

// The number at the end of a device name after `prefix` ("ttyUSB12" -> 12), or -1 when the rest
// is not all digits.
long deviceNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.size() - prefix.size() > 9) {
        return -1;
    }
    long number = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return -1;
        }
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

// A ttyS port exists as a device node whether or not a UART answers at its address; the kernel
// reports the UART type in sysfs, 0 meaning none.
bool hasUart(const DeviceTree& tree, const std::string& name) {
    const std::string type = tree.readText("/sys/class/tty/" + name + "/type", 32);
    long value = 0;
    const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), value);
    return error == std::errc() && end != type.data() && value != 0;
}

} // namespace

struct PosixSerialPort::SavedLine {
    termios settings{};
};

PosixSerialPort::PosixSerialPort(DeviceTree tree) : m_tree(std::move(tree)) {}

PosixSerialPort::~PosixSerialPort() {
    close();
}

PortOpenResult PosixSerialPort::open(const std::string& devicePath) {
    close();

    // O_NONBLOCK keeps open() from waiting for carrier on a modem line; it stays set, and every
    // wait is a poll() with the protocol's time-outs.
    int fd;
    do {
        fd = ::open(m_tree.path(devicePath).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        return failure(openErrorKind(error), error);
    }

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(error == ENOTTY || error == EINVAL ? PortError::NotSerial : PortError::Other, error);
    }
    const termios found = tio;

    // TIOCEXCL turns away later opens by other users but not by root; the advisory lock is what
    // stops a second copy of this program (or any tool that locks its port) whoever runs it.
    int exclusive = 0;
    const bool heldExclusive = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
    if (heldExclusive || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = heldExclusive ? EBUSY : errno;
        ::close(fd);
        return failure(error == EWOULDBLOCK ? PortError::Busy : openErrorKind(error),
                       error == EWOULDBLOCK ? EBUSY : error);
    }
    // The UUCP lock file is what minicom, picocom and their kind look for.
    if (m_lockFile.take(m_tree.resolve(devicePath), m_tree) == PortLockResult::Busy) {
        ::flock(fd, LOCK_UN);
        ::close(fd);
        return {PortError::Busy, std::string(std::strerror(EBUSY)) + " (" + m_lockFile.owner().lockFile +
                                     " names process " + std::to_string(m_lockFile.owner().pid) + ")"};
    }
    ::ioctl(fd, TIOCEXCL);

    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        const int error = errno;
        ::ioctl(fd, TIOCNXCL);
        ::flock(fd, LOCK_UN);
        ::close(fd);
        m_lockFile.release();
        return failure(PortError::Other, error);
    }
    ::tcflush(fd, TCIOFLUSH);

    m_saved = std::make_unique<SavedLine>();
    m_saved->settings = found;
    m_fd = fd;
    return {};
}

void PosixSerialPort::close() {
    if (m_fd < 0) {
        return;
    }
    // The line goes back to what the program before us left (its speed, canonical mode and the
    // rest), for whoever uses the port next. A pseudo-terminal's state outlives this descriptor
    // while its other side stays open, so the exclusive flag is dropped explicitly rather than
    // left for the last close.
    if (m_saved) {
        ::tcsetattr(m_fd, TCSANOW, &m_saved->settings);
        m_saved.reset();
    }
    ::ioctl(m_fd, TIOCNXCL);
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
    m_lockFile.release();
}

bool PosixSerialPort::write(const uint8_t* data, size_t count) {
    if (m_fd < 0) {
        return false;
    }
    const auto deadline = Clock::now() + Milliseconds(kWriteTotalPerByteMs * static_cast<long long>(count) +
                                                      kWriteTotalConstantMs);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return false;
        }
        // The driver's buffer is full: wait for room until the write's time-out.
        if (msUntil(deadline) == 0) {
            return false;
        }
        const int revents = waitFor(m_fd, POLLOUT, deadline);
        if (revents < 0 || (revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return false;
        }
    }
    return true;
}

PortReadResult PosixSerialPort::read(uint8_t* buffer, size_t count) {
    PortReadResult result;
    if (m_fd < 0) {
        result.ok = false;
        return result;
    }
    if (count == 0) {
        return result;
    }

    const auto start = Clock::now();
    const auto totalDeadline =
        start + Milliseconds(kReadTotalPerByteMs * static_cast<long long>(count) + kReadTotalConstantMs);
    Clock::time_point lastByte;

    while (result.count < count) {
        // The interval time-out runs only once the first byte has arrived; until then only the
        // total time-out ends the wait.
        auto deadline = totalDeadline;
        if (result.count > 0) {
            deadline = std::min(deadline, lastByte + Milliseconds(kReadIntervalMs));
        }
        if (msUntil(deadline) == 0) {
            break;
        }

        const int revents = waitFor(m_fd, POLLIN, deadline);
        if (revents < 0) {
            result.ok = false;
            break;
        }
        if (revents == 0) {
            continue; // the loop head decides whether a deadline has passed
        }
        if ((revents & POLLNVAL) != 0 || (revents & POLLIN) == 0) {
            // POLLERR or POLLHUP with nothing to read: the device has gone.
            result.ok = false;
            break;
        }

        const ssize_t n = ::read(m_fd, buffer + result.count, count - result.count);
        if (n > 0) {
            result.count += static_cast<size_t>(n);
            lastByte = Clock::now();
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            // Readable yet nothing to read is the end of the line (a hung-up terminal).
            result.ok = false;
            break;
        }
    }
    return result;
}

void PosixSerialPort::purge() {
    if (m_fd >= 0) {
        ::tcflush(m_fd, TCIOFLUSH);
    }
}

void PosixSerialPort::clear() {
    if (m_fd < 0) {
        return;
    }
    // write() returns once the bytes are in the kernel's buffer, not on the wire, and flushing
    // the output queue would throw away what the radio has not yet received (the protocol clears
    // right after writing the identification acknowledgement, for one). So wait until the output
    // has drained and flush only the input. tcdrain() would wait for ever on a line stopped by
    // flow control or an adapter that never empties; the wait here has a limit.
    const int fd = m_fd;
    waitForOutputDrained([fd] {
        int queued = 0;
        return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : -1;
    });
    ::tcflush(m_fd, TCIFLUSH);
}

bool waitForOutputDrained(const std::function<int()>& queuedBytes) {
    int queued = queuedBytes();
    if (queued <= 0) {
        return true;
    }
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::microseconds(kByteTimeUs * static_cast<long long>(queued)) +
                          Milliseconds(kDrainMarginMs);
    while (queued > 0) {
        const auto now = Clock::now();
        if (now >= deadline) {
            return false;
        }
        // Sleep about as long as the bytes still queued take to leave, at least a little.
        const auto expected = std::chrono::microseconds(kByteTimeUs * static_cast<long long>(queued));
        const auto step =
            std::min<Clock::duration>(std::max<Clock::duration>(expected, kDrainPollStep), deadline - now);
        std::this_thread::sleep_for(step);
        queued = queuedBytes();
    }
    return true;
}

SerialPortLook lookAtSerialPort(const std::string& devicePath) {
    SerialPortLook look;
    int fd;
    do {
        fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        look.open = failure(openErrorKind(error), error);
        look.exclusive = error == EBUSY;
        return look;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        const int error = errno;
        ::close(fd);
        look.open =
            failure(error == ENOTTY || error == EINVAL ? PortError::NotSerial : PortError::Other, error);
        return look;
    }
    int exclusive = 0;
    look.exclusive = ::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
    // Taking the advisory lock for a moment is the only way to ask whether someone holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
    } else {
        look.flockHeld = errno == EWOULDBLOCK;
    }
    ::close(fd);
    return look;
}

PortOpenResult probeSerialPort(const std::string& devicePath) {
    const SerialPortLook look = lookAtSerialPort(devicePath);
    if (!look.open) {
        return look.open;
    }
    const DeviceTree machine;
    if (look.flockHeld || look.exclusive || livePortLock(machine.resolve(devicePath), machine)) {
        return failure(PortError::Busy, EBUSY);
    }
    return {};
}

std::vector<std::string> listSerialDevices() {
    return listSerialDevices(DeviceTree());
}

std::vector<std::string> listSerialDevices(const DeviceTree& tree) {
    // USB adapters come first: they are what a programming cable is today.
    static const char* const kGroups[] = {"ttyUSB", "ttyACM", "ttyS"};

    std::vector<std::pair<long, std::string>> found[std::size(kGroups)];
    for (const std::string& name : tree.listDir("/dev")) {
        for (size_t group = 0; group < std::size(kGroups); ++group) {
            const long number = deviceNumber(name, kGroups[group]);
            if (number < 0) {
                continue;
            }
            if (std::string(kGroups[group]) == "ttyS" && !hasUart(tree, name)) {
                continue;
            }
            found[group].emplace_back(number, name);
        }
    }

    std::vector<std::string> devices;
    for (auto& group : found) {
        std::sort(group.begin(), group.end());
        for (const auto& entry : group) {
            devices.push_back("/dev/" + entry.second);
        }
    }
    return devices;
}

} // namespace platform
