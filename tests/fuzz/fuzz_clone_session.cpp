// A hostile radio against read and write sessions: a fake port whose every read is answered as
// the input says (the proper answer, part of it, nothing, any bytes, a damaged or padded answer,
// a failed read) and whose writes may fail. Time is virtual: a read that gets less than it asked
// for counts the whole time-out of the port, and the session's own pauses count their length
// without sleeping. A read that reports success holds exactly the data the radio put in its
// replies; a write that reports success had every frame acknowledged; the session writes only
// the frames it means to, in order; and it ends within the protocol's time-outs. The same radio
// also meets whole jobs: a write begins only after a whole backup, and a verify finds exactly the
// rows the radio sent back differently.

#include "FuzzSupport.h"

#include "image/MemoryImage.h"
#include "radio/CloneSession.h"
#include "radio/RadioJob.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>
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

// What one session wrote and what the radio answered to each of its frames.
struct SessionSeen {
    std::string written;
    std::vector<size_t> attempts;         // where in `written` each handshake attempt began
    std::vector<std::string> readReplies; // by frame: the bytes the host got for its request
    std::vector<bool> writeAcknowledged;  // by frame: the host's next byte read was the ack
};

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
        current().written.append(reinterpret_cast<const char*>(data), n);
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
        current().attempts.push_back(current().written.size());
        m_received.clear();
    }
    void clear() override {
        count();
        m_received.clear();
    }

    void beginSession() { sessions.emplace_back(); }

    std::vector<SessionSeen> sessions;
    int operations = 0;

private:
    SessionSeen& current() {
        fuzz::require(!sessions.empty(), "the port is used outside a session");
        return sessions.back();
    }

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
            current().readReplies.push_back(delivered);
        } else if (pending.size() == 4 + kFrame && pending[0] == 'W') {
            // The radio stores what reached it, so that a read back shows it.
            if (addressOf(pending) + kFrame <= m_memory.size()) {
                std::memcpy(m_memory.data() + addressOf(pending), pending.data() + 4, kFrame);
            }
            current().writeAcknowledged.push_back(!delivered.empty() &&
                                                  delivered[0] == static_cast<char>(kAck));
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

class ScriptedObserver : public IJobObserver {
public:
    ScriptedObserver(HostilePort& port, int retries, int cancelAtPump)
        : m_port(port), m_retries(retries), m_cancelAtPump(cancelAtPump) {}
    void onStage(JobStage stage) override {
        stages.push_back(stage);
        m_port.beginSession();
        lastRow = 0;
    }
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
    std::vector<JobStage> stages;

private:
    HostilePort& m_port;
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

// Checks what one session wrote and how long it took at most; returns whether it wrote every
// intended frame.
bool checkSession(const SessionSeen& seen, TransferDirection direction, const MemoryImage& image) {
    fuzz::require(seen.attempts.size() <= kMaxRetries + 1, "more handshake attempts than the user allowed");
    const std::string frames = intendedFrames(direction, image);
    return checkWritten(seen.written, seen.attempts, frames) == frames.size();
}

// Every frame got a whole reply, and `got` holds their data in rows 0 to 50 and `rest` in the others.
void requireReadAsSent(const SessionSeen& seen, const MemoryImage& got, const MemoryImage& rest) {
    fuzz::require(seen.readReplies.size() == CloneSession::kFrameCount,
                  "success without a reply to every frame");
    for (size_t frame = 0; frame < seen.readReplies.size(); ++frame) {
        const std::string& reply = seen.readReplies[frame];
        fuzz::require(reply.size() == 4 + kFrame, "success with a short reply");
        fuzz::require(std::memcmp(got.data() + frame * kFrame, reply.data() + 4, kFrame) == 0,
                      "the image read is not what the radio sent");
    }
    for (size_t i = image::kTransferSize; i < image::kSize; ++i) {
        fuzz::require(got.byte(i) == rest.byte(i), "a read changed rows the radio does not hold");
    }
}

void requireAllAcknowledged(const SessionSeen& seen) {
    fuzz::require(seen.writeAcknowledged.size() == CloneSession::kFrameCount,
                  "success without an answer to every frame");
    for (bool acknowledged : seen.writeAcknowledged) {
        fuzz::require(acknowledged, "success with a frame the radio did not acknowledge");
    }
}

// The image the radio sent in a session's replies (rows 51 to 63 from `rest`), if every reply was whole.
std::optional<MemoryImage> imageSent(const SessionSeen& seen, const MemoryImage& rest) {
    if (seen.readReplies.size() != CloneSession::kFrameCount) {
        return std::nullopt;
    }
    MemoryImage sent = rest;
    for (size_t frame = 0; frame < seen.readReplies.size(); ++frame) {
        if (seen.readReplies[frame].size() != 4 + kFrame) {
            return std::nullopt;
        }
        std::memcpy(sent.data() + frame * kFrame, seen.readReplies[frame].data() + 4, kFrame);
    }
    return sent;
}

// A job: the read job, or a write job with its backup and verify as the options say. Each
// session writes only its own frames; a write begins only after a whole backup; success means
// every frame was acknowledged and the read back is what was sent; a difference found names the
// first row that differs.
void runJob(HostilePort& port, ScriptedObserver& observer, TransferDirection direction, uint8_t flags,
            MemoryImage& image) {
    const MemoryImage before = image;
    RadioJob job(port, observer);
    if (direction == TransferDirection::Read) {
        const JobResult result = job.read("/dev/fake", image);
        fuzz::require(observer.stages == std::vector<JobStage>{JobStage::Read}, "a read job is one read");
        const bool complete = checkSession(port.sessions[0], TransferDirection::Read, before);
        if (result.ok()) {
            fuzz::require(complete, "success without every frame written");
            requireReadAsSent(port.sessions[0], image, before);
        } else {
            fuzz::require(image == before, "a failed read changed the image");
        }
        return;
    }

    JobOptions options;
    options.backup = (flags & 0x01) == 0;
    options.verify = (flags & 0x02) == 0;
    const JobResult result = job.write("/dev/fake", image, options);
    fuzz::require(image == before, "a write job changed the image it sent");
    fuzz::require(observer.stages.size() == port.sessions.size(), "one session a stage");
    std::vector<JobStage> expected;
    if (options.backup) {
        expected.push_back(JobStage::Backup);
    }
    expected.push_back(JobStage::Write);
    if (options.verify) {
        expected.push_back(JobStage::Verify);
    }
    fuzz::require(observer.stages.size() <= expected.size() &&
                      std::equal(observer.stages.begin(), observer.stages.end(), expected.begin()),
                  "the stages of a write job out of order");
    for (size_t i = 0; i < observer.stages.size(); ++i) {
        const JobStage stage = observer.stages[i];
        const bool complete = checkSession(
            port.sessions[i], stage == JobStage::Write ? TransferDirection::Write : TransferDirection::Read,
            before);
        const bool last = i + 1 == observer.stages.size();
        if (stage == JobStage::Backup && !last) {
            fuzz::require(complete, "a write began after a backup that did not end");
            const std::optional<MemoryImage> backup = imageSent(port.sessions[i], before);
            fuzz::require(backup.has_value() && result.backup == backup,
                          "the backup is not what the radio sent");
        }
        if (stage == JobStage::Write && (!last || result.ok())) {
            fuzz::require(complete, "a write counted as done without every frame written");
            requireAllAcknowledged(port.sessions[i]);
        }
        if (stage == JobStage::Verify && result.transfer.ok()) {
            fuzz::require(complete, "a verify counted as done without every frame written");
            const std::optional<MemoryImage> readBack = imageSent(port.sessions[i], before);
            fuzz::require(readBack.has_value(), "a verify counted as done without every reply");
            int row = -1;
            for (size_t r = 0; r < image::kTransferRows && row < 0; ++r) {
                if (std::memcmp(readBack->data() + r * image::kRowSize, before.data() + r * image::kRowSize,
                                image::kRowSize) != 0) {
                    row = static_cast<int>(r);
                }
            }
            fuzz::require(result.mismatchRow == row, "the verify missed or invented a difference");
        }
    }
    if (result.alreadyHeld) {
        // A radio that already holds the image is not written to.
        fuzz::require(result.backup && firstDifferingRow(*result.backup, before) < 0,
                      "a write skipped although the radio holds something else");
        expected = {JobStage::Backup};
    }
    if (result.ok()) {
        fuzz::require(observer.stages == expected, "a write job succeeded without all its stages");
    }
}

// The longest a session may take: each handshake attempt and each frame within the port's
// time-outs and the session's pauses.
int64_t sessionTimeUs() {
    const int64_t attemptUs =
        6 * 1000 + 8 * 2000 + 2000 + 2 * readTimeOutUs(1) + readTimeOutUs(8) + readTimeOutUs(1) + 20000;
    const int64_t frameUs = 3000 + readTimeOutUs(12) + readTimeOutUs(1) + 10000;
    return (kMaxRetries + 1) * attemptUs + CloneSession::kFrameCount * frameUs;
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
    const bool job = (setup & 0x40) != 0;
    const bool openAlready = (setup & 0x08) != 0 && !job; // as a job holds it for several sessions
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
    HostilePort port(bytes, openFails, earlyRadio, static_cast<uint8_t>(seed ^ 0x5A));
    ScriptedObserver observer(port, retries, cancelAtPump);
    t_virtualTime = true;
    t_nowUs = 0;
    if (job) {
        const uint8_t flags = bytes.byte();
        runJob(port, observer, direction, flags, image);
        t_virtualTime = false;
        fuzz::require(!port.isOpen(), "a job leaves the port closed");
        fuzz::require(t_nowUs <= 3 * sessionTimeUs(), "the job ran past the protocol's time-outs");
        return 0;
    }
    if (openAlready) {
        fuzz::require(static_cast<bool>(port.open("/dev/fake")), "the fake opens");
    }
    port.beginSession();
    CloneSession session(port, observer);
    const TransferResult result = session.run(direction, "/dev/fake", image);
    t_virtualTime = false;
    fuzz::require(t_nowUs <= sessionTimeUs(), "the session ran past the protocol's time-outs");
    fuzz::require(port.isOpen() == openAlready, "the port is left as the session found it");

    const bool complete = checkSession(port.sessions[0], direction, before);
    if (result.ok()) {
        fuzz::require(complete, "success without every frame written");
        fuzz::require(result.rowsDone == static_cast<int>(image::kTransferRows), "success without every row");
    }
    if (direction == TransferDirection::Write) {
        fuzz::require(image == before, "a write changed the image it sent");
        if (result.ok()) {
            requireAllAcknowledged(port.sessions[0]);
        }
    } else if (result.ok()) {
        requireReadAsSent(port.sessions[0], image, before);
    } else {
        fuzz::require(image == before, "a failed read changed the image");
    }
    return 0;
}
