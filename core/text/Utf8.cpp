#include "text/Utf8.h"

namespace utf8 {

Sequence decodeAt(std::string_view text, size_t pos) {
    if (pos >= text.size()) {
        return {};
    }
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        return {lead, 1};
    }
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
        return {};
    }
    if (pos + length > text.size()) {
        return {};
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(pos + k) & 0xC0) != 0x80) {
            return {};
        }
        cp = (cp << 6) | (byte(pos + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {};
    }
    return {cp, length};
}

} // namespace utf8
