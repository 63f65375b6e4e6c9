#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Why a port could not be opened. Every kind counts as "the port cannot be opened"; the kind
// and the system's reason let the outer layer say what to try.
enum class PortError {
    None,
    NotFound,         // no such device
    PermissionDenied, // typically: the user is not in the dialout group
    Busy,             // another program holds the port
    NotSerial,        // the path exists but is not a serial device
    Other,
};

struct PortOpenResult {
    PortError error = PortError::None;
    std::string detail; // the system's reason (strerror text), empty on success
    explicit operator bool() const { return error == PortError::None; }
};

struct PortReadResult {
    bool ok = true;   // false when the read call itself failed (device gone, I/O error)
    size_t count = 0; // bytes received, at most the count asked for
};

// A serial port as the clone protocol uses it: raw 9600 baud, 8 data bits, no parity, one stop
// bit, exclusive to this process while open. Blocking; used from one thread at a time.
class ISerialPort {
public:
    virtual ~ISerialPort() = default;

    virtual PortOpenResult open(const std::string& devicePath) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Queues the bytes for sending; returns false when the write failed. Returns before the
    // bytes are on the wire.
    virtual bool write(const uint8_t* data, size_t count) = 0;

    // Reads up to `count` bytes. Returns when `count` bytes have arrived, when 50 * count + 90 ms
    // have passed in total, or when 30 ms have passed since the last byte received, whichever
    // comes first.
    virtual PortReadResult read(uint8_t* buffer, size_t count) = 0;

    // Full purge: throws away everything queued in both directions, sent or not.
    virtual void purge() = 0;

    // Clear before an exchange: waits until what was written has left, then throws away what
    // has been received. It never discards bytes that were written but not yet sent.
    virtual void clear() = 0;
};
