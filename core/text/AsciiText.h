#pragma once

#include <string>
#include <string_view>

// Byte-string helpers that treat only ASCII as letters and blanks: bytes of 0x80 and above belong
// to multibyte characters (UTF-8) and are never folded or trimmed.
namespace ascii {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

char fold(char c);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
// The text without the given blanks at either end.
std::string trimmed(std::string_view text, std::string_view blanks = kWhiteSpace);

} // namespace ascii
