#include "WebSerialPort.h"

#include <emscripten.h>

#include <cstdlib>

// Module.radioLine is the line of serial.js; without one (no port connected) every call fails as
// a port that cannot be opened would. A rejected promise counts as a failed call: nothing may
// throw through the suspended module.

// The bodies are JavaScript, which the formatter would break.
// clang-format off
// The PortError of the open: 0 None, 1 NotFound, 2 PermissionDenied, 3 Busy, 4 NotSerial, 5 Other.
EM_ASYNC_JS(int, webLineOpen, (), {
    const kinds = ["None", "NotFound", "PermissionDenied", "Busy", "NotSerial", "Other"];
    const line = Module.radioLine;
    if (!line) {
        Module.radioLineError = "No serial port is connected.";
        return 1;
    }
    const opened = await line.open();
    Module.radioLineError = opened.detail || "";
    const kind = kinds.indexOf(opened.error || "None");
    return kind < 0 ? 5 : kind;
});

// The reason the last open gave, in memory the caller frees.
EM_JS(char*, webLineError, (), {
    const text = String(Module.radioLineError || "");
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});

EM_ASYNC_JS(int, webLineWrite, (const uint8_t* data, size_t count), {
    const line = Module.radioLine;
    if (!line) {
        return 0;
    }
    try {
        return (await line.write(HEAPU8.slice(data, data + count))) ? 1 : 0;
    } catch (e) {
        return 0;
    }
});

// The bytes read, or -1 when the line failed.
EM_ASYNC_JS(int, webLineRead, (uint8_t* buffer, size_t count), {
    const line = Module.radioLine;
    if (!line) {
        return -1;
    }
    try {
        const bytes = await line.read(count);
        if (bytes === null) {
            return -1;
        }
        // Memory may have grown while waiting: HEAPU8 is the current view.
        HEAPU8.set(bytes, buffer);
        return bytes.length;
    } catch (e) {
        return -1;
    }
});

// 0 purge, 1 clear, 2 close.
EM_ASYNC_JS(void, webLineAction, (int action), {
    const line = Module.radioLine;
    if (!line) {
        return;
    }
    try {
        await [() => line.purge(), () => line.clear(), () => line.close()][action]();
    } catch (e) {
        // A line that cannot be cleared or closed has nothing left to lose.
    }
});

// clang-format on

PortOpenResult WebSerialPort::open(const std::string&) {
    PortOpenResult result;
    result.error = static_cast<PortError>(webLineOpen());
    char* detail = webLineError();
    result.detail = detail;
    std::free(detail);
    m_open = bool(result);
    return result;
}

void WebSerialPort::close() {
    if (m_open) {
        m_open = false;
        webLineAction(2);
    }
}

bool WebSerialPort::write(const uint8_t* data, size_t count) {
    return count == 0 || webLineWrite(data, count) != 0;
}

PortReadResult WebSerialPort::read(uint8_t* buffer, size_t count) {
    if (count == 0) {
        return {};
    }
    const int got = webLineRead(buffer, count);
    if (got < 0) {
        return {false, 0};
    }
    return {true, static_cast<size_t>(got)};
}

void WebSerialPort::purge() {
    webLineAction(0);
}

void WebSerialPort::clear() {
    webLineAction(1);
}
