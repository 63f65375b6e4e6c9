#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

#include "RadioConversation.h"

// A radio that answers the clone protocol on a pseudo-terminal. The host side opens
// devicePath() as it would open a serial cable. Every answer comes no sooner than a real
// radio on a 9600-baud line could give it (about 1.04 ms a byte after the bytes it answers),
// so a host that clears its input right after a write behaves here as on a cable. The protocol
// itself is RadioConversation's; this class is the line, the clock and the save file around it.
// Times are CLOCK_MONOTONIC nanoseconds.
class RadioSimulator {
public:
    static constexpr size_t kMemorySize = RadioConversation::kMemorySize;
    using Memory = RadioConversation::Memory;

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
    void setIgnoreHandshake(bool ignore) { m_conversation.setIgnoreHandshake(ignore); }

    int completedReads() const { return m_conversation.completedReads(); }
    int completedWrites() const { return m_conversation.completedWrites(); }
    // Write frames stored (acknowledged), in every session since start().
    int writeFramesStored() const { return m_conversation.writeFramesStored(); }
    // Handshakes begun (each 0x02 "PROGRAM" seen), acknowledged or not.
    int handshakes() const { return m_conversation.handshakes(); }
    // Bytes taken from the line and bytes handed to it, since start().
    size_t bytesReceived() const { return m_bytesReceived; }
    size_t bytesSent() const { return m_bytesSent; }

private:
    void serve();
    void closeAll();
    // Sends a reply to the bytes whose last one arrived at `lastArrivalNs`, no sooner than a radio
    // on the line could, and paced when the options ask for it.
    void reply(const uint8_t* bytes, size_t count, int64_t lastArrivalNs);
    void saveMemory(const Memory& memory);

    SimulatorOptions m_options;
    std::string m_devicePath;
    int m_masterFd = -1;
    int m_slaveFd = -1; // kept open so the terminal survives the host closing it
    int m_wakeFd[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    RadioConversation m_conversation; // the protocol; its replies go through reply()
    std::atomic<size_t> m_bytesReceived{0};
    std::atomic<size_t> m_bytesSent{0};

    // The arrival of the last byte taken from the line, owned by the serving thread.
    int64_t m_lastArrivalNs = 0;
};
