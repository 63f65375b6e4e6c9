#include "JsonWriter.h"

#include "text/Utf8.h"

namespace {

constexpr int kIndent = 2;
const char kReplacement[] = "\\ufffd";

} // namespace

std::string JsonWriter::quote(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = utf8::decodeAt(text, i).length;
            if (length == 0) {
                out += kReplacement;
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0x0F];
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    return out + "\"";
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_levels.empty()) {
        m_text += m_levels.back().count++ ? ",\n" : "\n";
        m_text.append(m_levels.size() * kIndent, ' ');
    }
}

void JsonWriter::open(char bracket) {
    beforeValue();
    m_text += bracket;
    m_levels.push_back({});
}

void JsonWriter::close(char bracket) {
    const bool empty = m_levels.back().count == 0;
    m_levels.pop_back();
    if (!empty) {
        m_text += '\n';
        m_text.append(m_levels.size() * kIndent, ' ');
    }
    m_text += bracket;
    if (m_levels.empty()) {
        m_text += '\n';
    }
}

void JsonWriter::beginObject() {
    open('{');
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray() {
    open('[');
}
void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    m_text += quote(name);
    m_text += ": ";
    m_afterKey = true;
}

void JsonWriter::value(std::string_view text) {
    beforeValue();
    m_text += quote(text);
}

void JsonWriter::value(int64_t number) {
    beforeValue();
    m_text += std::to_string(number);
}

void JsonWriter::value(bool on) {
    beforeValue();
    m_text += on ? "true" : "false";
}

void JsonWriter::null() {
    beforeValue();
    m_text += "null";
}
