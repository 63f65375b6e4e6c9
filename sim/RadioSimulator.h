#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// A radio that answers the clone protocol on a pseudo-terminal. The host side opens
// devicePath() as it would open a serial cable. Every answer comes no sooner than a real
// radio on a 9600-baud line could give it (about 1.04 ms a byte after the bytes it answers),
// so a host that clears its input right after a write behaves here as on a cable.
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

class RadioSimulator {
public:
    static constexpr size_t kMemorySize = 1024;
    using Memory = std::array<uint8_t, kMemorySize>;

    explicit RadioSimulator(SimulatorOptions options = {});
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Creates the pseudo-terminal and starts answering on a thread of its own.
    bool start(std::string* error = nullptr);
    void stop();

    // The path of the terminal's host side, for example /dev/pts/3.
    std::string devicePath() const { return m_devicePath; }

    Memory memory() const;
    void setMemory(const Memory& memory);
    bool loadMemory(const std::string& path, std::string* error = nullptr);

    // Switches the radio on or off while it serves (any thread); takes effect from the next
    // handshake byte.
    void setIgnoreHandshake(bool ignore) { m_ignoreHandshake = ignore; }

    int completedReads() const { return m_completedReads; }
    int completedWrites() const { return m_completedWrites; }
    // Write frames stored (acknowledged), in every session since start().
    int writeFramesStored() const { return m_writeFramesStored; }
    // Handshakes begun (each 0x02 "PROGRAM" seen), acknowledged or not.
    int handshakes() const { return m_handshakes; }
    // Bytes taken from the line and bytes handed to it, since start().
    size_t bytesReceived() const { return m_bytesReceived; }
    size_t bytesSent() const { return m_bytesSent; }

private:
    // Where the radio stands in one conversation with the host.
    enum class EState {
        WaitHandshake,    // before a handshake, after an unacknowledged one, and while stalled
        WaitIdentRequest, // handshake acknowledged
        WaitIdentAck,     // identity sent
        Frames,           // between frames
        WaitReadAck,      // read reply sent, waiting for the host's 0x06
    };

    void serve();
    void closeAll();
    // Times are CLOCK_MONOTONIC nanoseconds; `arrivalNs` is when the byte's stop bit would have
    // reached the radio on a 9600-baud line.
    void onByte(uint8_t byte, int64_t arrivalNs);
    void onCommandByte(uint8_t byte, int64_t arrivalNs);
    void onHandshake(int64_t arrivalNs);
    // A complete W or R frame in m_frame. False when it is malformed and was ignored.
    bool onFrame(int64_t arrivalNs);
    void onReadAck(int64_t arrivalNs);
    void completeWrite();
    // Sends a reply to the bytes whose last one arrived at `lastArrivalNs`, no sooner than a radio
    // on the line could, and paced when the options ask for it.
    void reply(const uint8_t* bytes, size_t count, int64_t lastArrivalNs);

    SimulatorOptions m_options;
    std::string m_devicePath;
    int m_masterFd = -1;
    int m_slaveFd = -1; // kept open so the terminal survives the host closing it
    int m_wakeFd[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    mutable std::mutex m_mutex;
    Memory m_memory{};
    std::atomic<int> m_completedReads{0};
    std::atomic<int> m_completedWrites{0};
    std::atomic<int> m_handshakes{0};
    std::atomic<int> m_writeFramesStored{0};
    std::atomic<size_t> m_bytesReceived{0};
    std::atomic<size_t> m_bytesSent{0};
    std::atomic<bool> m_ignoreHandshake{false}; // starts as the options say

    // Conversation state, owned by the serving thread.
    EState m_state = EState::WaitHandshake;
    int m_handshakeMatched = 0; // bytes of 0x02 "PROGRAM" matched so far, 0..8
    int m_frameIndex = 0;       // index within the session of the next W or R frame
    size_t m_nextWriteAddr = 0; // the address a write frame in order comes next with
    std::array<uint8_t, 12> m_frame{};
    size_t m_frameLength = 0; // bytes of m_frame collected; 0 between frames
    int m_readAckFrame = 0;   // the read frame whose acknowledgement is awaited
    uint16_t m_readAckAddr = 0;
    int64_t m_lastArrivalNs = 0;
};
