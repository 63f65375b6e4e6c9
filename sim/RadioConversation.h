#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

// How a simulated radio behaves, and the faults it can be told to show. `paced` and `saveFile`
// belong to whoever carries the conversation's replies and keeps its memory (RadioSimulator, the
// browser tests' stand-in port); the conversation itself does not look at them.
struct SimulatorOptions {
    // Send every byte of a reply at the 9600-baud pace (1.04 ms a byte) instead of all at once.
    bool paced = false;
    // The 8-byte identification reply.
    std::array<uint8_t, 8> identity = {'P', '3', '2', '0', '7', 0x00, 0x00, 0x00};
    // Never acknowledge the handshake (a radio that is switched off).
    bool ignoreHandshake = false;
    // Acknowledge the handshake right after its seventh byte instead of after the eighth.
    bool earlyReply = false;
    // Refuse (0x15) a write frame whose address is not the next in order from 0, the way a radio
    // that takes only whole sessions would.
    bool sequentialOnly = false;
    // Frame numbers count the 102 frames of one session from 0; -1 disables the fault.
    int stallAtFrame = -1;      // stop answering from this frame on, until the next handshake
    int nakAtFrame = -1;        // answer this frame (write) or its acknowledgement (read) with 0x15
    int shortReplyAtFrame = -1; // send only 6 of the 12 bytes of this read reply
    int corruptAtFrame = -1;    // store this write frame with its first byte inverted, and acknowledge it
    // When not empty, the memory is saved to this file after every completed write session.
    std::string saveFile;
};

// The radio's side of the clone protocol, byte by byte, with no line and no clock of its own:
// whoever owns the line hands it every byte with the time it reached the radio and sends the
// replies the conversation gives, timed from the arrival of the request's last byte. The native
// simulator drives it from a pseudo-terminal; the browser tests drive it from a stand-in port.
//
// onByte() runs on one thread (the line's); memory, counters and setIgnoreHandshake() may be used
// from any other thread meanwhile.
class RadioConversation {
public:
    static constexpr size_t kMemorySize = 1024;
    using Memory = std::array<uint8_t, kMemorySize>;
    // A reply to the bytes whose last one arrived at `lastArrivalNs`.
    using ReplySink = std::function<void(const uint8_t* bytes, size_t count, int64_t lastArrivalNs)>;
    // Called when a write session stored its last frame, before the count goes up and before the
    // acknowledgement goes out.
    using WriteCompleted = std::function<void(const Memory& memory)>;

    // One byte on a 9600-baud line with a start bit, 8 data bits and a stop bit takes 10 bits.
    static constexpr int64_t byteTimesNs(int64_t bytes) { return bytes * 10 * 1000000000 / 9600; }
    // When byte `index` of a reply to a request whose last byte arrived at `lastArrivalNs` can be
    // on the host's side: a radio answers one byte time after the request at the earliest.
    static constexpr int64_t replyByteDueNs(int64_t lastArrivalNs, size_t index) {
        return lastArrivalNs + byteTimesNs(static_cast<int64_t>(index) + 1);
    }

    explicit RadioConversation(SimulatorOptions options, ReplySink sink, WriteCompleted writeCompleted = {});

    // Starts a fresh conversation: waiting for a handshake, no frame in progress.
    void reset();
    // `arrivalNs` is when the byte's stop bit reached the radio, on the clock the replies are
    // timed with.
    void onByte(uint8_t byte, int64_t arrivalNs);

    const SimulatorOptions& options() const { return m_options; }
    Memory memory() const;
    void setMemory(const Memory& memory);
    // Switches the radio on or off; takes effect from the next handshake byte.
    void setIgnoreHandshake(bool ignore) { m_ignoreHandshake = ignore; }

    int completedReads() const { return m_completedReads; }
    int completedWrites() const { return m_completedWrites; }
    int writeFramesStored() const { return m_writeFramesStored; }
    int handshakes() const { return m_handshakes; }

private:
    // Where the radio stands in one conversation with the host.
    enum class EState {
        WaitHandshake,    // before a handshake, after an unacknowledged one, and while stalled
        WaitIdentRequest, // handshake acknowledged
        WaitIdentAck,     // identity sent
        Frames,           // between frames
        WaitReadAck,      // read reply sent, waiting for the host's 0x06
    };

    void onCommandByte(uint8_t byte, int64_t arrivalNs);
    void onHandshake(int64_t arrivalNs);
    // A complete W or R frame in m_frame. False when it is malformed and was ignored.
    bool onFrame(int64_t arrivalNs);
    void onReadAck(int64_t arrivalNs);
    void completeWrite();
    void reply(const uint8_t* bytes, size_t count, int64_t lastArrivalNs) {
        m_sink(bytes, count, lastArrivalNs);
    }

    SimulatorOptions m_options;
    ReplySink m_sink;
    WriteCompleted m_writeCompleted;
    mutable std::mutex m_mutex;
    Memory m_memory{};
    std::atomic<int> m_completedReads{0};
    std::atomic<int> m_completedWrites{0};
    std::atomic<int> m_handshakes{0};
    std::atomic<int> m_writeFramesStored{0};
    std::atomic<bool> m_ignoreHandshake{false}; // starts as the options say

    // Conversation state, owned by the line's thread.
    EState m_state = EState::WaitHandshake;
    int m_handshakeMatched = 0; // bytes of 0x02 "PROGRAM" matched so far, 0..8
    int m_frameIndex = 0;       // index within the session of the next W or R frame
    size_t m_nextWriteAddr = 0; // the address a write frame in order comes next with
    std::array<uint8_t, 12> m_frame{};
    size_t m_frameLength = 0; // bytes of m_frame collected; 0 between frames
    int m_readAckFrame = 0;   // the read frame whose acknowledgement is awaited
    uint16_t m_readAckAddr = 0;
};
