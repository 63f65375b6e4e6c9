// The simulated radio's conversation for the browser tests: the stand-in serial port feeds it the
// bytes the page writes, with the time each reaches the radio, and takes back the replies with the
// time each byte is due on the page's side. Times are milliseconds on the page's clock
// (performance.now()); the conversation counts in nanoseconds.

#include "RadioConversation.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <memory>
#include <vector>

using emscripten::val;

namespace {

int64_t toNs(double ms) {
    return std::llround(ms * 1e6);
}

int intOption(const val& options, const char* name, int fallback) {
    const val value = options[name];
    return value.isNumber() ? value.as<int>() : fallback;
}

bool boolOption(const val& options, const char* name, bool fallback) {
    const val value = options[name];
    return value.isUndefined() || value.isNull() ? fallback : value.as<bool>();
}

SimulatorOptions toOptions(const val& options) {
    SimulatorOptions result;
    result.paced = boolOption(options, "paced", false);
    result.ignoreHandshake = boolOption(options, "ignoreHandshake", false);
    result.stallAtFrame = intOption(options, "stallAtFrame", -1);
    result.nakAtFrame = intOption(options, "nakAtFrame", -1);
    const val identity = options["identity"];
    if (identity.isString()) {
        // Up to 8 characters; the rest of the reply stays zero, as the radio's is.
        result.identity.fill(0);
        const std::string text = identity.as<std::string>();
        for (size_t i = 0; i < text.size() && i < result.identity.size(); ++i) {
            result.identity[i] = static_cast<uint8_t>(text[i]);
        }
    }
    return result;
}

} // namespace

class SimRadio {
public:
    explicit SimRadio(const val& options)
        : m_paced(boolOption(options, "paced", false)),
          m_conversation(toOptions(options),
                         [this](const uint8_t* bytes, size_t count, int64_t lastArrivalNs) {
                             queueReply(bytes, count, lastArrivalNs);
                         }) {}

    void feed(const val& bytes, double arrivalMs, double byteMs) {
        const std::vector<uint8_t> data = emscripten::convertJSArrayToNumberVector<uint8_t>(bytes);
        for (size_t i = 0; i < data.size(); ++i) {
            m_conversation.onByte(data[i], toNs(arrivalMs + byteMs * static_cast<double>(i)));
        }
    }

    // The reply bytes given since the last call, as {bytes: Uint8Array, due: Float64Array of ms}.
    val takeReplies() {
        val result = val::object();
        result.set("bytes", val::global("Uint8Array").new_(val::array(m_replyBytes)));
        result.set("due", val::global("Float64Array").new_(val::array(m_replyDueMs)));
        m_replyBytes.clear();
        m_replyDueMs.clear();
        return result;
    }

    val memory() const {
        const RadioConversation::Memory memory = m_conversation.memory();
        return val::global("Uint8Array").new_(val::array(memory.begin(), memory.end()));
    }

    // False (and the memory unchanged) unless `bytes` holds exactly the radio's 1024 bytes.
    bool setMemory(const val& bytes) {
        const std::vector<uint8_t> data = emscripten::convertJSArrayToNumberVector<uint8_t>(bytes);
        RadioConversation::Memory memory;
        if (data.size() != memory.size()) {
            return false;
        }
        std::copy(data.begin(), data.end(), memory.begin());
        m_conversation.setMemory(memory);
        return true;
    }

    void setIgnoreHandshake(bool ignore) { m_conversation.setIgnoreHandshake(ignore); }

    val counters() const {
        val result = val::object();
        result.set("completedReads", m_conversation.completedReads());
        result.set("completedWrites", m_conversation.completedWrites());
        result.set("writeFramesStored", m_conversation.writeFramesStored());
        result.set("handshakes", m_conversation.handshakes());
        return result;
    }

private:
    // Paced, byte k is due k + 1 byte times after the request's last byte; otherwise the whole
    // reply is due when its first byte could be, as the native simulator sends it.
    void queueReply(const uint8_t* bytes, size_t count, int64_t lastArrivalNs) {
        for (size_t i = 0; i < count; ++i) {
            const int64_t dueNs = RadioConversation::replyByteDueNs(lastArrivalNs, m_paced ? i : 0);
            m_replyBytes.push_back(bytes[i]);
            m_replyDueMs.push_back(static_cast<double>(dueNs) / 1e6);
        }
    }

    bool m_paced;
    RadioConversation m_conversation;
    std::vector<uint8_t> m_replyBytes;
    std::vector<double> m_replyDueMs;
};

EMSCRIPTEN_BINDINGS(radio_sim) {
    emscripten::class_<SimRadio>("SimRadio")
        .constructor<const val&>()
        .function("feed", &SimRadio::feed)
        .function("takeReplies", &SimRadio::takeReplies)
        .function("memory", &SimRadio::memory)
        .function("setMemory", &SimRadio::setMemory)
        .function("setIgnoreHandshake", &SimRadio::setIgnoreHandshake)
        .function("counters", &SimRadio::counters);
    emscripten::constant("byteMs", static_cast<double>(RadioConversation::byteTimesNs(1)) / 1e6);
}
