#include "RadioSimulator.h"

#include "image/DatFile.h"
#include "image/MemoryImage.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace std::placeholders;

namespace {

constexpr int64_t kNsPerSecond = 1000000000;

int64_t monotonicNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
}

// Sleeps to an absolute deadline, so the error of one sleep does not add up over a reply.
void sleepUntilNs(int64_t deadlineNs) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadlineNs / kNsPerSecond);
    ts.tv_nsec = static_cast<long>(deadlineNs % kNsPerSecond);
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void setError(std::string* error, const std::string& text) {
    if (error) {
        *error = text;
    }
}

} // namespace

RadioSimulator::RadioSimulator(SimulatorOptions options)
    : m_options(std::move(options)),
      m_conversation(m_options, std::bind(&RadioSimulator::reply, this, _1, _2, _3),
                     std::bind(&RadioSimulator::saveMemory, this, _1)) {}

RadioSimulator::~RadioSimulator() {
    stop();
}

bool RadioSimulator::start(std::string* error) {
    if (m_running) {
        return true;
    }
    const auto fail = [&](const char* what) {
        setError(error, std::string(what) + ": " + std::strerror(errno));
        closeAll();
        return false;
    };

    m_masterFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_masterFd < 0) {
        return fail("cannot create a pseudo-terminal");
    }
    char name[256];
    if (::grantpt(m_masterFd) != 0 || ::unlockpt(m_masterFd) != 0 ||
        ::ptsname_r(m_masterFd, name, sizeof name) != 0) {
        return fail("cannot unlock the pseudo-terminal");
    }
    m_slaveFd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slaveFd < 0) {
        return fail("cannot open the pseudo-terminal");
    }
    // Raw, so that no byte of the protocol is echoed, translated or held back for a line. The
    // settings belong to the terminal, not to a descriptor, so a host finds them when it opens it.
    termios tio{};
    if (::tcgetattr(m_slaveFd, &tio) != 0) {
        return fail("cannot read the terminal settings");
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    if (::tcsetattr(m_slaveFd, TCSANOW, &tio) != 0) {
        return fail("cannot set the terminal to raw mode");
    }
    // A reply that finds the host's input queue full is lost, as on a line nobody listens to;
    // the serving thread never blocks on it.
    const int flags = ::fcntl(m_masterFd, F_GETFL);
    if (flags < 0 || ::fcntl(m_masterFd, F_SETFL, flags | O_NONBLOCK) != 0) {
        return fail("cannot configure the pseudo-terminal");
    }
    if (::pipe2(m_wakeFd, O_CLOEXEC | O_NONBLOCK) != 0) {
        return fail("cannot create the wake-up pipe");
    }

    m_devicePath = name;
    m_conversation.reset();
    m_lastArrivalNs = 0;
    m_bytesReceived = 0;
    m_bytesSent = 0;
    m_running = true;
    m_thread = std::thread(&RadioSimulator::serve, this);
    return true;
}

void RadioSimulator::stop() {
    if (m_thread.joinable()) {
        const char wake = 1;
        while (::write(m_wakeFd[1], &wake, 1) < 0 && errno == EINTR) {
        }
        m_thread.join();
    }
    closeAll();
    m_running = false;
}

void RadioSimulator::closeAll() {
    for (int* fd : {&m_masterFd, &m_slaveFd, &m_wakeFd[0], &m_wakeFd[1]}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

RadioSimulator::Memory RadioSimulator::memory() const {
    return m_conversation.memory();
}

void RadioSimulator::setMemory(const Memory& memory) {
    m_conversation.setMemory(memory);
}

bool RadioSimulator::loadMemory(const std::string& path, std::string* error) {
    MemoryImage image;
    const DatFileResult result = loadDatFile(path, image);
    switch (result.error) {
    case DatFileError::None:
        break;
    case DatFileError::DataFormat:
        setError(error, path + ": not a memory image (it must hold exactly " + std::to_string(kMemorySize) +
                            " bytes)");
        return false;
    case DatFileError::Read:
        setError(error, "cannot read " + path + ": " + result.detail);
        return false;
    default:
        setError(error, "cannot open " + path + ": " + result.detail);
        return false;
    }
    Memory memory;
    std::copy(image.data(), image.data() + kMemorySize, memory.begin());
    setMemory(memory);
    return true;
}

// The serving thread. Bytes are taken as soon as they can be read; each is then given the time
// at which it would have arrived over the cable, one byte time after the later of its reading
// and the arrival of the byte before it, and the answers are timed from those arrivals.
void RadioSimulator::serve() {
    uint8_t buffer[256];
    for (;;) {
        pollfd fds[2] = {{m_masterFd, POLLIN, 0}, {m_wakeFd[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            if (fds[0].revents != 0) {
                // A hang-up without data; wait for the next host instead of spinning.
                pollfd wake = {m_wakeFd[0], POLLIN, 0};
                if (::poll(&wake, 1, 10) > 0) {
                    return;
                }
            }
            continue;
        }
        const ssize_t count = ::read(m_masterFd, buffer, sizeof buffer);
        const int64_t readNs = monotonicNs();
        m_bytesReceived += count > 0 ? static_cast<size_t>(count) : 0;
        for (ssize_t i = 0; i < count; ++i) {
            m_lastArrivalNs = std::max(readNs, m_lastArrivalNs) + RadioConversation::byteTimesNs(1);
            m_conversation.onByte(buffer[i], m_lastArrivalNs);
        }
    }
}

// Paced: byte k of the reply is on the host's side once k + 1 byte times have passed since the
// request's last byte arrived. Unpaced: the whole reply goes out when its first byte could have
// arrived.
void RadioSimulator::reply(const uint8_t* bytes, size_t count, int64_t lastArrivalNs) {
    size_t sent = 0;
    while (sent < count) {
        const size_t chunk = m_options.paced ? 1 : count - sent;
        sleepUntilNs(RadioConversation::replyByteDueNs(lastArrivalNs, sent));
        const ssize_t n = ::write(m_masterFd, bytes + sent, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return; // nobody is draining the line; the rest of the reply is lost
        }
        sent += static_cast<size_t>(n);
        m_bytesSent += static_cast<size_t>(n);
    }
}

// Written before the conversation counts the write, so whoever sees the count finds the file.
void RadioSimulator::saveMemory(const Memory& memory) {
    if (m_options.saveFile.empty()) {
        return;
    }
    MemoryImage image;
    std::copy(memory.begin(), memory.end(), image.data());
    const DatFileResult result = saveDatFile(m_options.saveFile, image);
    if (!result) {
        std::fprintf(stderr, "radio-sim: cannot save %s: %s\n", m_options.saveFile.c_str(),
                     result.detail.c_str());
    }
}
