#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace utf8 {

// One character of UTF-8 text.
struct Sequence {
    uint32_t codePoint = 0;
    size_t length = 0; // 0 when the bytes at the position are no valid UTF-8 sequence
};

// The sequence starting at text[pos]. Overlong forms, surrogates, values above U+10FFFF and
// sequences cut short by the end of the text are invalid.
Sequence decodeAt(std::string_view text, size_t pos);

} // namespace utf8
