#pragma once

#include "radio/SerialPort.h"

#include <chrono>
#include <cstddef>
#include <iosfwd>

// A serial port that passes every call to another one and writes what crossed the wire to a
// log: one line per call, with the milliseconds since the port was opened, the direction and
// the bytes in hex:
//
//        0.0 ms  open /dev/ttyUSB0
//        2.1 ms  >  02
//      143.9 ms  <  06
//      150.3 ms  <  (nothing)
//      151.0 ms  clear
//
// ">" is host to radio, "<" radio to host. A write the port refused is listed with "(failed)";
// its bytes are not counted. The bytes listed on "<" lines and on ">" lines without "(failed)"
// are exactly bytesRead() and bytesWritten(). Used from one thread, like any ISerialPort.
class TracingSerialPort : public ISerialPort {
public:
    // `inner` and `log` must outlive this object.
    TracingSerialPort(ISerialPort& inner, std::ostream& log) : m_inner(inner), m_log(log) {}

    PortOpenResult open(const std::string& devicePath) override;
    void close() override;
    bool isOpen() const override { return m_inner.isOpen(); }
    bool write(const uint8_t* data, size_t count) override;
    PortReadResult read(uint8_t* buffer, size_t count) override;
    void purge() override;
    void clear() override;

    // Totals over every session since this object was made.
    size_t bytesWritten() const { return m_bytesWritten; }
    size_t bytesRead() const { return m_bytesRead; }

private:
    void stamp();
    void bytes(const uint8_t* data, size_t count);

    ISerialPort& m_inner;
    std::ostream& m_log;
    std::chrono::steady_clock::time_point m_openedAt = std::chrono::steady_clock::now();
    size_t m_bytesWritten = 0;
    size_t m_bytesRead = 0;
};
