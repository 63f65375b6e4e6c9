#pragma once

#include "radio/SerialPort.h"

// The serial line the page connected (a SerialPort of navigator.serial, wrapped by
// web/site/serial.js as Module.radioLine). Every call but isOpen suspends the module while the
// page's promise is awaited, so it may be used only from a call made with ccall's async option.
// The device path is the line's name for the history; the line itself is the one connected.
class WebSerialPort : public ISerialPort {
public:
    PortOpenResult open(const std::string& devicePath) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool write(const uint8_t* data, size_t count) override;
    // The timing of ISerialPort::read is kept by serial.js on performance.now().
    PortReadResult read(uint8_t* buffer, size_t count) override;
    void purge() override;
    void clear() override;

private:
    bool m_open = false;
};
