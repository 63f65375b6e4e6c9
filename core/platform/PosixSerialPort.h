#pragma once

#include "platform/DeviceTree.h"
#include "platform/PortLockFile.h"
#include "radio/SerialPort.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A termios serial port. open() refuses a port another program holds (a live UUCP lock file,
// an advisory flock, exclusive mode), then keeps the line settings it found, writes its own
// lock file where the lock folder lets it, takes TIOCEXCL and a flock so that a second program
// (also one run by root) cannot use the port at the same time, and makes the line raw 9600 8N1.
// close() puts the settings back and removes the lock file. Lock files and device links are
// looked up in `tree` (the machine by default).
class PosixSerialPort : public ISerialPort {
public:
    explicit PosixSerialPort(DeviceTree tree = DeviceTree());
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
    struct SavedLine;

    DeviceTree m_tree;
    int m_fd = -1;
    std::unique_ptr<SavedLine> m_saved; // the settings found at open(), put back at close()
    PortLockFile m_lockFile;
};

// Waits until `queuedBytes()` (the bytes still in the output queue, < 0 when that cannot be
// told) is 0, but no longer than the bytes first queued take at 9600 baud plus 50 ms. False when
// it gave up with bytes still queued. PosixSerialPort::clear() uses it with TIOCOUTQ.
bool waitForOutputDrained(const std::function<int()>& queuedBytes);

// What a look at a device found. The look opens it O_RDWR | O_NONBLOCK | O_NOCTTY, asks, and
// closes it: no line setting is changed and no byte is read or thrown away.
struct SerialPortLook {
    PortOpenResult open;    // whether it opens as a terminal, and why not
    bool flockHeld = false; // another open file holds its advisory lock
    bool exclusive = false; // TIOCEXCL is set (a root user can open it all the same)
};
SerialPortLook lookAtSerialPort(const std::string& devicePath);

// Can a transfer open the device now? Busy when another program holds it (a live lock file in
// /run/lock or /var/lock, a flock, exclusive mode). Changes nothing on the port.
PortOpenResult probeSerialPort(const std::string& devicePath);

// The serial devices present, in the order COMn counts them: /dev/ttyUSB*, /dev/ttyACM*, then
// the /dev/ttyS* that have hardware behind them, each group in numeric order.
std::vector<std::string> listSerialDevices();
// The same in `tree`, as names on the machine ("/dev/ttyUSB0"): the ttyS*/type files of
// /sys/class/tty tell a port with a UART behind it (type not 0) from an empty one.
std::vector<std::string> listSerialDevices(const DeviceTree& tree);

} // namespace platform
