#pragma once

#include <string>
#include <string_view>

// Byte-string helpers that treat only ASCII as letters and blanks: bytes of 0x80 and above belong
// to multibyte characters (UTF-8) and are never folded or trimmed.
namespace ascii {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

// The C locale's isspace and isdigit, without consulting the current locale.
bool isWhiteSpace(char c);
bool isDigit(char c);

// Lower case of an ASCII letter; every other byte as it is.
char fold(char c);
// The text with its ASCII letters in lower case.
std::string lowered(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
// The text without the given blanks at either end.
std::string trimmed(std::string_view text, std::string_view blanks = kWhiteSpace);

} // namespace ascii
