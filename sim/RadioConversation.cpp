#include "RadioConversation.h"

#include <algorithm>
#include <utility>

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
// The radio gets ready for the frames before it answers the acknowledgement of its
// identification. The host clears its input right after sending that acknowledgement, so an
// answer that came within the moment the host takes to get there would be thrown away.
constexpr int64_t kIdentAckAnswerNs = 20'000'000;

} // namespace

RadioConversation::RadioConversation(SimulatorOptions options, ReplySink sink, WriteCompleted writeCompleted)
    : m_options(std::move(options)), m_sink(std::move(sink)), m_writeCompleted(std::move(writeCompleted)),
      m_ignoreHandshake(m_options.ignoreHandshake) {
    m_memory.fill(0xFF); // erased
}

void RadioConversation::reset() {
    m_state = EState::WaitHandshake;
    m_handshakeMatched = 0;
    m_frameIndex = 0;
    m_frameLength = 0;
}

RadioConversation::Memory RadioConversation::memory() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_memory;
}

void RadioConversation::setMemory(const Memory& memory) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_memory = memory;
}

// The handshake is recognised at any point outside a frame, and also across a frame that the
// host abandoned half-way, so that a host starting over always gets a fresh session. Bytes that
// continue a handshake in progress are not taken as commands: "PROGRAM" holds an 'R'.
void RadioConversation::onByte(uint8_t byte, int64_t arrivalNs) {
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

void RadioConversation::onCommandByte(uint8_t byte, int64_t arrivalNs) {
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
            reply(&kAck, 1, arrivalNs + kIdentAckAnswerNs);
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

void RadioConversation::onHandshake(int64_t arrivalNs) {
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

bool RadioConversation::onFrame(int64_t arrivalNs) {
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

void RadioConversation::onReadAck(int64_t arrivalNs) {
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

// The hook runs before the count goes up, so whoever sees the count finds what it did (the
// simulator's saved file).
void RadioConversation::completeWrite() {
    if (m_writeCompleted) {
        m_writeCompleted(memory());
    }
    ++m_completedWrites;
}
