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
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
constexpr uint8_t kWriteCommand = 'W';
constexpr uint8_t kReadCommand = 'R';
constexpr uint8_t kFrameDataLength = 8;
constexpr size_t kWriteFrameSize = 12; // 'W', address high, address low, 0x08, 8 data bytes
constexpr size_t kReadRequestSize = 4; // 'R', address high, address low, 0x08
constexpr size_t kReadReplySize = 12;  // the 4-byte header, then 8 memory bytes
constexpr size_t kShortReplySize = 6;
// A session ends with the frame at this address, the second half of row 50.
constexpr uint16_t kLastFrameAddr = 0x0328;
constexpr uint8_t kHandshake[8] = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
constexpr int kEarlyReplyAfter = 7; // bytes of the handshake after which an early radio answers

// One byte on a 9600-baud line with a start bit, 8 data bits and a stop bit takes 10 bits.
constexpr int64_t kNsPerSecond = 1000000000;
constexpr int64_t kBaud = 9600;
constexpr int64_t kBitsPerByte = 10;
constexpr int64_t byteTimesNs(int64_t bytes) {
    return bytes * kBitsPerByte * kNsPerSecond / kBaud;
}

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
    : m_options(std::move(options)), m_ignoreHandshake(m_options.ignoreHandshake) {
    m_memory.fill(0xFF); // erased
}

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
    m_state = EState::WaitHandshake;
    m_handshakeMatched = 0;
    m_frameIndex = 0;
    m_frameLength = 0;
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
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_memory;
}

void RadioSimulator::setMemory(const Memory& memory) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memory = memory;
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
            m_lastArrivalNs = std::max(readNs, m_lastArrivalNs) + byteTimesNs(1);
            onByte(buffer[i], m_lastArrivalNs);
        }
    }
}

// The handshake is recognised at any point outside a frame, and also across a frame that the
// host abandoned half-way, so that a host starting over always gets a fresh session. Bytes that
// continue a handshake in progress are not taken as commands: "PROGRAM" holds an 'R'.
void RadioSimulator::onByte(uint8_t byte, int64_t arrivalNs) {
    if (byte == kHandshake[0]) {
        m_handshakeMatched = 1;
    } else if (m_handshakeMatched > 0 && byte == kHandshake[m_handshakeMatched]) {
        ++m_handshakeMatched;
    } else {
        m_handshakeMatched = 0;
    }

    if (m_frameLength > 0) {
        m_frame[m_frameLength++] = byte;
        const size_t frameSize = m_frame[0] == kWriteCommand ? kWriteFrameSize : kReadRequestSize;
        if (m_frameLength == frameSize) {
            m_frameLength = 0;
            if (onFrame(arrivalNs)) {
                m_handshakeMatched = 0; // the bytes belonged to the frame
                return;
            }
        }
        if (m_handshakeMatched == static_cast<int>(sizeof kHandshake)) {
            m_frameLength = 0;
            onHandshake(arrivalNs);
        }
        return;
    }

    if (m_handshakeMatched == static_cast<int>(sizeof kHandshake)) {
        onHandshake(arrivalNs);
        return;
    }
    if (m_handshakeMatched == kEarlyReplyAfter) {
        if (m_options.earlyReply && !m_ignoreHandshake) {
            reply(&kAck, 1, arrivalNs);
        }
        return;
    }
    if (m_handshakeMatched >= 2) {
        return;
    }
    onCommandByte(byte, arrivalNs);
}

void RadioSimulator::onCommandByte(uint8_t byte, int64_t arrivalNs) {
    switch (m_state) {
    case EState::WaitHandshake:
        return;
    case EState::WaitIdentRequest:
        if (byte == kHandshake[0]) {
            reply(m_options.identity.data(), m_options.identity.size(), arrivalNs);
            m_state = EState::WaitIdentAck;
        }
        return;
    case EState::WaitIdentAck:
        if (byte == kAck) {
            reply(&kAck, 1, arrivalNs);
            m_state = EState::Frames;
        }
        return;
    case EState::WaitReadAck:
        if (byte == kAck) {
            onReadAck(arrivalNs);
            return;
        }
        // The host moved on without acknowledging; take the byte as the next command.
        m_state = EState::Frames;
        [[fallthrough]];
    case EState::Frames:
        if (byte == kWriteCommand || byte == kReadCommand) {
            m_frame[0] = byte;
            m_frameLength = 1;
        }
        return;
    }
}

void RadioSimulator::onHandshake(int64_t arrivalNs) {
    ++m_handshakes;
    m_handshakeMatched = 0;
    m_frameIndex = 0;
    m_nextWriteAddr = 0;
    m_frameLength = 0;
    if (m_ignoreHandshake) {
        m_state = EState::WaitHandshake;
        return;
    }
    if (!m_options.earlyReply) { // an early radio has answered after the seventh byte already
        reply(&kAck, 1, arrivalNs);
    }
    m_state = EState::WaitIdentRequest;
}

bool RadioSimulator::onFrame(int64_t arrivalNs) {
    const size_t addr = static_cast<size_t>(m_frame[1]) << 8 | m_frame[2];
    if (m_frame[3] != kFrameDataLength || addr + kFrameDataLength > kMemorySize) {
        return false;
    }
    const int frame = m_frameIndex++;
    if (frame == m_options.stallAtFrame) {
        m_state = EState::WaitHandshake; // silent until the host starts over
        return true;
    }

    if (m_frame[0] == kWriteCommand) {
        if (frame == m_options.nakAtFrame || (m_options.sequentialOnly && addr != m_nextWriteAddr)) {
            reply(&kNak, 1, arrivalNs); // a refused frame leaves the memory as it was
            return true;
        }
        m_nextWriteAddr = addr + kFrameDataLength;
        ++m_writeFramesStored;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            std::copy(m_frame.begin() + 4, m_frame.end(), m_memory.begin() + addr);
            if (frame == m_options.corruptAtFrame) {
                // A byte spoilt on the way in that the radio does not notice: only a read back
                // shows it.
                m_memory[addr] = static_cast<uint8_t>(~m_memory[addr]);
            }
        }
        // Counted before the answer goes out, so a host that has the last answer sees the count
        // (and the saved file).
        if (addr == kLastFrameAddr) {
            completeWrite();
        }
        reply(&kAck, 1, arrivalNs);
        return true;
    }

    // The reply's header repeats the request with the write command in front; the host does not
    // look at it.
    std::array<uint8_t, kReadReplySize> out = {kWriteCommand, m_frame[1], m_frame[2], kFrameDataLength};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::copy(m_memory.begin() + addr, m_memory.begin() + addr + kFrameDataLength, out.begin() + 4);
    }
    reply(out.data(), frame == m_options.shortReplyAtFrame ? kShortReplySize : out.size(), arrivalNs);
    m_readAckFrame = frame;
    m_readAckAddr = static_cast<uint16_t>(addr);
    m_state = EState::WaitReadAck;
    return true;
}

void RadioSimulator::onReadAck(int64_t arrivalNs) {
    m_state = EState::Frames;
    if (m_readAckFrame == m_options.nakAtFrame) {
        reply(&kNak, 1, arrivalNs);
        return;
    }
    // Counted before the answer goes out, so a host that has the answer sees the count.
    if (m_readAckAddr == kLastFrameAddr) {
        ++m_completedReads;
    }
    reply(&kAck, 1, arrivalNs);
}

// The file is written before the count goes up, so whoever sees the count finds the file.
void RadioSimulator::completeWrite() {
    if (!m_options.saveFile.empty()) {
        MemoryImage image;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            std::copy(m_memory.begin(), m_memory.end(), image.data());
        }
        const DatFileResult result = saveDatFile(m_options.saveFile, image);
        if (!result) {
            std::fprintf(stderr, "radio-sim: cannot save %s: %s\n", m_options.saveFile.c_str(),
                         result.detail.c_str());
        }
    }
    ++m_completedWrites;
}

// Paced: byte k of the reply is on the host's side once k + 1 byte times have passed since the
// request's last byte arrived. Unpaced: the whole reply goes out when its first byte could have
// arrived.
void RadioSimulator::reply(const uint8_t* bytes, size_t count, int64_t lastArrivalNs) {
    size_t sent = 0;
    while (sent < count) {
        const size_t chunk = m_options.paced ? 1 : count - sent;
        sleepUntilNs(lastArrivalNs + byteTimesNs(static_cast<int64_t>(sent) + 1));
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
