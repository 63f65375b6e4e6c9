#include "radio/TracingSerialPort.h"

#include <cstdio>
#include <ostream>
#include <string>

void TracingSerialPort::stamp() {
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_openedAt).count();
    // Tenths of a millisecond in plain digits, whatever the C library's locale says about commas.
    const long long tenths = static_cast<long long>(ms * 10.0 + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%9lld.%lld ms  ", tenths / 10, tenths % 10);
    m_log << text;
}

void TracingSerialPort::bytes(const uint8_t* data, size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
    }
    m_log << text;
}

PortOpenResult TracingSerialPort::open(const std::string& devicePath) {
    m_openedAt = std::chrono::steady_clock::now();
    const PortOpenResult result = m_inner.open(devicePath);
    stamp();
    m_log << "open " << devicePath;
    if (!result) {
        m_log << " failed: " << result.detail;
    }
    m_log << '\n';
    return result;
}

void TracingSerialPort::close() {
    const bool wasOpen = m_inner.isOpen();
    m_inner.close();
    if (wasOpen) {
        stamp();
        m_log << "close\n";
        m_log.flush();
    }
}

bool TracingSerialPort::write(const uint8_t* data, size_t count) {
    const bool ok = m_inner.write(data, count);
    stamp();
    m_log << ">  ";
    bytes(data, count);
    if (ok) {
        m_bytesWritten += count;
    } else {
        m_log << "  (failed)";
    }
    m_log << '\n';
    return ok;
}

PortReadResult TracingSerialPort::read(uint8_t* buffer, size_t count) {
    const PortReadResult result = m_inner.read(buffer, count);
    stamp();
    m_log << "<  ";
    if (result.count == 0) {
        m_log << "(nothing)";
    }
    bytes(buffer, result.count);
    m_bytesRead += result.count;
    if (result.count < count) {
        m_log << "  (" << result.count << " of " << count << (result.ok ? ")" : ", failed)");
    }
    m_log << '\n';
    return result;
}

void TracingSerialPort::purge() {
    m_inner.purge();
    stamp();
    m_log << "purge\n";
}

void TracingSerialPort::clear() {
    m_inner.clear();
    stamp();
    m_log << "clear\n";
}
