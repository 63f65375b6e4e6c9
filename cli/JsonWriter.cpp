#include "JsonWriter.h"

namespace {

constexpr int kIndent = 2;
const char kReplacement[] = "\\ufffd";

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one (overlong forms,
// surrogates and values above U+10FFFF count as invalid).
size_t utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length;
    uint32_t min;
    uint32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::string CJsonWriter::quote(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = utf8SequenceLength(text, i);
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

void CJsonWriter::beforeValue() {
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (!m_levels.empty()) {
        m_text += m_levels.back().count++ ? ",\n" : "\n";
        m_text.append(m_levels.size() * kIndent, ' ');
    }
}

void CJsonWriter::open(char bracket) {
    beforeValue();
    m_text += bracket;
    m_levels.push_back({});
}

void CJsonWriter::close(char bracket) {
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

void CJsonWriter::beginObject() {
    open('{');
}
void CJsonWriter::endObject() {
    close('}');
}
void CJsonWriter::beginArray() {
    open('[');
}
void CJsonWriter::endArray() {
    close(']');
}

void CJsonWriter::key(std::string_view name) {
    beforeValue();
    m_text += quote(name);
    m_text += ": ";
    m_bAfterKey = true;
}

void CJsonWriter::value(std::string_view text) {
    beforeValue();
    m_text += quote(text);
}

void CJsonWriter::value(int64_t number) {
    beforeValue();
    m_text += std::to_string(number);
}
