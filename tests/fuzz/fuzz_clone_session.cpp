// A hostile radio against read and write sessions: a fake port whose every read is answered as
// the input says (the proper answer, part of it, nothing, any bytes, a damaged or padded answer,
// a failed read) and whose writes may fail. Time is virtual: a read that gets less than it asked
// for counts the whole time-out of the port, and the session's own pauses count their length
// without sleeping. A read that reports success holds exactly the data the radio put in its
// replies; a write that reports success had every frame acknowledged; the session writes only
// the frames it means to, in order; and it ends within the protocol's time-outs.

#include "FuzzSupport.h"

#include "image/MemoryImage.h"
#include "radio/CloneSession.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr uint8_t kAck = 0x06;
const std::string kHandshake = std::string("\x02PROGRAM", 8);
const std::string kHandshakeEarly = std::string("\x02PROGRA", 7);
constexpr size_t kFrame = 8;
constexpr int kMaxRetries = 3;

// Virtual time of the session under test, in microseconds; only this thread's pauses count.
thread_local bool t_virtualTime = false;
thread_local int64_t t_nowUs = 0;

// The ports's promise: a read of `count` bytes ends within 50 * count + 90 ms.
int64_t readTimeOutUs(size_t count) {
    return (50 * static_cast<int64_t>(count) + 90) * 1000;
}

// A radio on the other end of the line, scripted by the fuzzer's bytes.
class HostilePort : public ISerialPort {
public:
    HostilePort(fuzz::Bytes& script, bool openFails, bool earlyRadio, uint8_t memorySeed)
        : m_script(script), m_openFails(openFails), m_earlyRadio(earlyRadio) {
        for (size_t i = 0; i < m_memory.size(); ++i) {
            m_memory[i] = static_cast<uint8_t>(i * 13 + memorySeed);
        }
    }

    PortOpenResult open(const std::string&) override {
        count();
        if (m_openFails) {
            return {PortError::Busy, "busy"};
        }
        m_open = true;
        return {};
    }
    void close() override {
        count();
        m_open = false;
    }
    bool isOpen() const override { return m_open; }

    bool write(const uint8_t* data, size_t n) override {
        count();
        fuzz::require(m_open, "the session writes to a port it has not opened");
        if (m_failNextWrite) {
            m_failNextWrite = false;
            return false;
        }
        m_line.append(reinterpret_cast<const char*>(data), n);
        m_pending.append(reinterpret_cast<const char*>(data), n);
        written.append(reinterpret_cast<const char*>(data), n);
        return true;
    }

    PortReadResult read(uint8_t* buffer, size_t n) override {
        count();
        fuzz::require(m_open, "the session reads from a port it has not opened");
        const std::string pending = m_pending;
        m_pending.clear();
        const uint8_t control = m_script.byte();
        m_failNextWrite = (control & 0x80) != 0;
        const std::string proper = properAnswer(pending);
        bool ok = true;
        switch (control & 0x0F) {
        case 1: // part of the answer, the rest too late
            m_received += proper.substr(0, m_script.byte() % (proper.size() + 1));
            break;
        case 2: // nothing in time
            break;
        case 3: // any bytes
            m_received += m_script.take(m_script.byte() % 24);
            break;
        case 4: // the read itself fails
            ok = false;
            break;
        case 5: { // one byte damaged on the way
            std::string damaged = proper;
            if (!damaged.empty()) {
                const uint8_t at = m_script.byte();
                damaged[at % damaged.size()] ^= static_cast<char>(m_script.byte() | 1);
            }
            m_received += damaged;
            break;
        }
        case 6: // the answer and more
            m_received += proper;
            m_received += m_script.take(m_script.byte() % 16);
            break;
        default:
            m_received += proper;
            break;
        }
        const size_t got = ok ? std::min(n, m_received.size()) : 0;
        std::memcpy(buffer, m_received.data(), got);
        const std::string delivered = m_received.substr(0, got);
        m_received.erase(0, got);
        t_nowUs += got == n ? static_cast<int64_t>(n) * 1100 : readTimeOutUs(n);
        record(pending, delivered);
        return {ok, got};
    }

    void purge() override {
        count();
        attempts.push_back(written.size());
        m_received.clear();
    }
    void clear() override {
        count();
        m_received.clear();
    }

    // What the host wrote, and what the radio answered to each frame.
    std::string written;
    std::vector<std::string> readReplies;   // by frame: the 12 bytes the host got for its request
    std::vector<bool> writeAcknowledged;    // by frame: the host's next byte read was the ack
    std::vector<std::string> framesWritten; // the write frames in the order they came
    int operations = 0;
    std::vector<size_t> attempts; // where in `written` each purge came

private:
    void count() {
        ++operations;
        fuzz::require(operations < 4000, "the session does not end (too many port calls)");
    }

    static uint16_t addressOf(const std::string& frame) {
        return static_cast<uint16_t>(static_cast<uint8_t>(frame[1]) << 8 | static_cast<uint8_t>(frame[2]));
    }

    // What a radio in good order answers to the bytes written since the last read.
    std::string properAnswer(const std::string& pending) const {
        const auto endsWith = [this](const std::string& tail) {
            return m_line.size() >= tail.size() &&
                   m_line.compare(m_line.size() - tail.size(), tail.size(), tail) == 0;
        };
        if (endsWith(kHandshake)) {
            return m_earlyRadio ? std::string() : std::string(1, static_cast<char>(kAck));
        }
        if (endsWith(kHandshakeEarly)) {
            return m_earlyRadio ? std::string(1, static_cast<char>(kAck)) : std::string();
        }
        if (!pending.empty() && endsWith(kHandshake + '\x02')) {
            return std::string("P3207\0\0\0", 8);
        }
        if (pending == std::string(1, static_cast<char>(kAck))) {
            return std::string(1, static_cast<char>(kAck));
        }
        if (pending.size() == 4 + kFrame && pending[0] == 'W') {
            return std::string(1, static_cast<char>(kAck));
        }
        if (pending.size() == 4 && pending[0] == 'R' && pending[3] == kFrame &&
            addressOf(pending) + kFrame <= 1024) {
            std::string reply = pending;
            reply[0] = 'W';
            reply.append(reinterpret_cast<const char*>(m_memory.data()) + addressOf(pending), kFrame);
            return reply;
        }
        return {};
    }

    void record(const std::string& pending, const std::string& delivered) {
        if (pending.size() == 4 && pending[0] == 'R') {
            readReplies.push_back(delivered);
        } else if (pending.size() == 4 + kFrame && pending[0] == 'W') {
            framesWritten.push_back(pending);
            writeAcknowledged.push_back(!delivered.empty() && delivered[0] == static_cast<char>(kAck));
        }
    }

    fuzz::Bytes& m_script;
    bool m_openFails;
    bool m_earlyRadio;
    bool m_open = false;
    bool m_failNextWrite = false;
    std::array<uint8_t, 1024> m_memory{};
    std::string m_line;     // every byte written
    std::string m_pending;  // written since the last read
    std::string m_received; // sent by the radio, not yet read by the host
};

class ScriptedObserver : public ICloneObserver {
public:
    ScriptedObserver(int retries, int cancelAtPump) : m_retries(retries), m_cancelAtPump(cancelAtPump) {}
    void onProgress(int row) override {
        fuzz::require(row == lastRow + 1 && row <= static_cast<int>(image::kTransferRows),
                      "progress out of order");
        lastRow = row;
    }
    bool pump() override { return ++m_pumps == m_cancelAtPump; }
    bool retryAfterCommunicationError() override {
        ++questions;
        return questions <= m_retries;
    }
    int lastRow = 0;
    int questions = 0;

private:
    int m_retries;
    int m_cancelAtPump;
    int m_pumps = 0;
};

// The bytes the host means to send after the handshake: 102 frames in address order.
std::string intendedFrames(TransferDirection direction, const MemoryImage& image) {
    std::string frames;
    for (size_t address = 0; address < image::kTransferSize; address += kFrame) {
        frames += direction == TransferDirection::Write ? 'W' : 'R';
        frames += static_cast<char>(address >> 8);
        frames += static_cast<char>(address & 0xFF);
        frames += static_cast<char>(kFrame);
        if (direction == TransferDirection::Write) {
            frames.append(reinterpret_cast<const char*>(image.data()) + address, kFrame);
        } else {
            frames += static_cast<char>(kAck);
        }
    }
    return frames;
}

// What was written is a run of handshake attempts, each begun by a purge and each a prefix of
// the whole handshake, where only the last may go on with a prefix of the intended frames.
// Returns the length of that prefix.
size_t checkWritten(const std::string& written, const std::vector<size_t>& attempts,
                    const std::string& frames) {
    const std::string attempt = kHandshake + '\x02' + static_cast<char>(kAck);
    fuzz::require(written.empty() || (!attempts.empty() && attempts.front() == 0),
                  "the session wrote before its handshake began");
    for (size_t i = 0; i < attempts.size(); ++i) {
        const size_t begin = attempts[i];
        const size_t end = i + 1 < attempts.size() ? attempts[i + 1] : written.size();
        const std::string part = written.substr(begin, end - begin);
        const std::string handshake = part.substr(0, attempt.size());
        fuzz::require(attempt.compare(0, handshake.size(), handshake) == 0,
                      "the session wrote a handshake byte it did not mean to");
        const std::string rest = part.substr(handshake.size());
        if (i + 1 < attempts.size()) {
            fuzz::require(rest.empty(), "the session wrote frames before it started over");
        } else {
            fuzz::require(rest.size() <= frames.size() && frames.compare(0, rest.size(), rest) == 0,
                          "the session wrote a frame it did not mean to");
            return rest.size();
        }
    }
    return 0;
}

} // namespace

// The session's pauses take no time here; every other thread sleeps as usual.
extern "C" int nanosleep(const struct timespec* request, struct timespec* remaining) {
    if (t_virtualTime) {
        t_nowUs += static_cast<int64_t>(request->tv_sec) * 1000000 + request->tv_nsec / 1000;
        return 0;
    }
    const int error = clock_nanosleep(CLOCK_MONOTONIC, 0, request, remaining);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes bytes(data, size);
    const uint8_t setup = bytes.byte();
    const TransferDirection direction =
        (setup & 0x01) != 0 ? TransferDirection::Write : TransferDirection::Read;
    const bool openAlready = (setup & 0x08) != 0; // a job holds the port for several sessions
    const bool openFails = (setup & 0x02) != 0 && !openAlready;
    const bool earlyRadio = (setup & 0x04) != 0;
    const int retries = (setup >> 4) & kMaxRetries;
    const uint8_t cancelByte = bytes.byte();
    const int cancelAtPump = cancelByte == 0 ? -1 : cancelByte * 2;
    const uint8_t seed = bytes.byte();

    MemoryImage image;
    for (size_t i = 0; i < image::kSize; ++i) {
        image.setByte(i, static_cast<uint8_t>(i * 7 + seed * 3 + 1));
    }
    const MemoryImage before = image;
    const std::string frames = intendedFrames(direction, image);

    HostilePort port(bytes, openFails, earlyRadio, static_cast<uint8_t>(seed ^ 0x5A));
    if (openAlready) {
        fuzz::require(static_cast<bool>(port.open("/dev/fake")), "the fake opens");
    }
    ScriptedObserver observer(retries, cancelAtPump);
    CloneSession session(port, observer);
    t_virtualTime = true;
    t_nowUs = 0;
    const TransferResult result = session.run(direction, "/dev/fake", image);
    t_virtualTime = false;

    // Time: each handshake attempt and each frame within the port's time-outs and the pauses.
    const int64_t attemptUs =
        6 * 1000 + 8 * 2000 + 2000 + 2 * readTimeOutUs(1) + readTimeOutUs(8) + readTimeOutUs(1) + 20000;
    const int64_t frameUs = 3000 + readTimeOutUs(12) + readTimeOutUs(1) + 10000;
    fuzz::require(t_nowUs <= (kMaxRetries + 1) * attemptUs + CloneSession::kFrameCount * frameUs,
                  "the session ran past the protocol's time-outs");
    fuzz::require(port.attempts.size() <= kMaxRetries + 1, "more handshake attempts than the user allowed");
    fuzz::require(port.isOpen() == openAlready, "the port is left as the session found it");

    const size_t framesWritten = checkWritten(port.written, port.attempts, frames);
    if (result.ok()) {
        fuzz::require(framesWritten == frames.size(), "success without every frame written");
        fuzz::require(result.rowsDone == static_cast<int>(image::kTransferRows), "success without every row");
    }

    if (direction == TransferDirection::Write) {
        fuzz::require(image == before, "a write changed the image it sent");
        if (result.ok()) {
            fuzz::require(port.writeAcknowledged.size() == CloneSession::kFrameCount,
                          "success without an answer to every frame");
            for (bool acknowledged : port.writeAcknowledged) {
                fuzz::require(acknowledged, "success with a frame the radio did not acknowledge");
            }
        }
        return 0;
    }

    if (!result.ok()) {
        fuzz::require(image == before, "a failed read changed the image");
        return 0;
    }
    fuzz::require(port.readReplies.size() == CloneSession::kFrameCount,
                  "success without a reply to every frame");
    for (size_t frame = 0; frame < port.readReplies.size(); ++frame) {
        const std::string& reply = port.readReplies[frame];
        fuzz::require(reply.size() == 4 + kFrame, "success with a short reply");
        fuzz::require(std::memcmp(image.data() + frame * kFrame, reply.data() + 4, kFrame) == 0,
                      "the image read is not what the radio sent");
    }
    for (size_t i = image::kTransferSize; i < image::kSize; ++i) {
        fuzz::require(image.byte(i) == before.byte(i), "a read changed rows the radio does not hold");
    }
    return 0;
}
