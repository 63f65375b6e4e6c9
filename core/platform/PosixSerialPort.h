#pragma once

#include "radio/SerialPort.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

// A termios serial port. open() makes the line raw 9600 8N1, takes TIOCEXCL and an advisory
// flock so that a second program (also one run by root) cannot use the port at the same time.
class PosixSerialPort : public ISerialPort {
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    PortOpenResult open(const std::string& devicePath) override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }
    bool write(const uint8_t* data, size_t count) override;
    PortReadResult read(uint8_t* buffer, size_t count) override;
    void purge() override;
    void clear() override;

private:
    int m_fd = -1;
};

// Waits until `queuedBytes()` (the bytes still in the output queue, < 0 when that cannot be
// told) is 0, but no longer than the bytes first queued take at 9600 baud plus 50 ms. False when
// it gave up with bytes still queued. PosixSerialPort::clear() uses it with TIOCOUTQ.
bool waitForOutputDrained(const std::function<int()>& queuedBytes);

// Opens and closes the device at once: can it be opened now?
PortOpenResult probeSerialPort(const std::string& devicePath);

// The serial devices present, in the order COMn counts them: /dev/ttyUSB*, /dev/ttyACM*, then
// the /dev/ttyS* that have hardware behind them, each group in numeric order.
std::vector<std::string> listSerialDevices();
// The same, looking in devDir for the device nodes and in sysTtyDir (normally /sys/class/tty)
// for the ttyS*/type files that tell a port with a UART behind it (type not 0) from an empty one.
std::vector<std::string> listSerialDevices(const std::string& devDir, const std::string& sysTtyDir);

} // namespace platform
