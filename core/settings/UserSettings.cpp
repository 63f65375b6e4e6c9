#include "settings/UserSettings.h"

#include "settings/IniFile.h"
#include "text/AsciiText.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr char kSection[] = "Settings";

// A name the file reads back as the same key.
bool isStorableName(const std::string& name) {
    return bool(IniFile::checkStorable(kSection, name, ""));
}

// '%' and every byte that the file would not give back as it is: control bytes (line breaks),
// blanks at either end (lines are trimmed) and the '/' of "//" and "/*" (comments).
std::string escaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool atEnd = i == 0 || i + 1 == text.size();
        const bool comment = byte == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*');
        if (byte == '%' || byte < 0x20 || byte == 0x7F || (atEnd && byte == ' ') || comment) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// A '%' without two hexadecimal digits after it stays as it is.
std::string unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

UserSettings::UserSettings(std::string appName, std::string configDir) : m_dir(std::move(configDir)) {
    if (!m_dir.empty()) {
        m_path = (fs::path(m_dir) / (platform::appFolderName(appName) + ".ini")).string();
    }
}

std::optional<std::string> UserSettings::readStored(const std::string& name) const {
    std::error_code error;
    if (m_path.empty() || !isStorableName(name) || !fs::is_regular_file(m_path, error)) {
        return std::nullopt;
    }
    IniFile ini;
    if (!ini.load(m_path, false, true)) {
        return std::nullopt;
    }
    // A key that is not there reads as its default, the empty text; a stored empty text does too.
    std::string text = ini.value(kSection, name, std::string(1, '\0'));
    if (text == std::string(1, '\0')) {
        return std::nullopt;
    }
    return text;
}

SettingsWriteResult UserSettings::writeStored(const std::string& name, const std::string& stored) {
    if (!isStorableName(name)) {
        return {SettingsWriteError::BadName, "'" + name + "' cannot be a key of " + m_path};
    }
    if (m_path.empty()) {
        return {SettingsWriteError::NoFolder,
                "no folder for per-user settings (neither XDG_CONFIG_HOME nor HOME)"};
    }
    std::error_code error;
    fs::create_directories(m_dir, error);
    if (error) {
        return {SettingsWriteError::NoFolder, m_dir + ": " + error.message()};
    }
    IniFile ini;
    errno = 0;
    if (!ini.load(m_path, false, true)) {
        return {SettingsWriteError::NotSaved, m_path + ": " + std::strerror(errno)};
    }
    ini.setValue(kSection, name, stored);
    const IniSaveResult saved = ini.save();
    if (!saved) {
        return {SettingsWriteError::NotSaved, m_path + ": " + saved.detail};
    }
    return {};
}

uint32_t UserSettings::readValue(const std::string& name, uint32_t missingValue) {
    const std::optional<std::string> text = readStored(name);
    if (!text) {
        return missingValue;
    }
    // Trailing blanks are what is left of a comment after the value.
    const std::string_view digits =
        std::string_view(*text).substr(0, text->find_last_not_of(ascii::kWhiteSpace) + 1);
    uint32_t value = 0;
    const auto [end, code] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (code != std::errc() || end != digits.data() + digits.size()) {
        return missingValue;
    }
    return value;
}

SettingsWriteResult UserSettings::writeValue(const std::string& name, uint32_t value) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return writeStored(name, std::string(text, result.ptr));
}

std::string UserSettings::readText(const std::string& name, const std::string& missingText) {
    const std::optional<std::string> stored = readStored(name);
    return stored ? unescaped(*stored) : missingText;
}

SettingsWriteResult UserSettings::writeText(const std::string& name, const std::string& text) {
    return writeStored(name, escaped(text));
}
