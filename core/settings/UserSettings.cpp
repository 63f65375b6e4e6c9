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
constexpr char kDefaultAppName[] = "Program";

// A name the file reads back as the same key.
bool isStorableName(std::string_view name) {
    if (name.empty() || name.find_first_of(std::string_view("=\r\n\0", 4)) != std::string_view::npos) {
        return false;
    }
    if (ascii::kWhiteSpace.find(name.front()) != std::string_view::npos ||
        ascii::kWhiteSpace.find(name.back()) != std::string_view::npos) {
        return false;
    }
    return std::string_view(";/\\*[").find(name.front()) == std::string_view::npos;
}

} // namespace

std::string UserSettings::sanitisedAppName(std::string appName) {
    if (appName.empty()) {
        return kDefaultAppName;
    }
    for (char& c : appName) {
        if (c == '/' || c == '\\' || c == '\0') {
            c = '_';
        }
    }
    return appName;
}

UserSettings::UserSettings(std::string appName, std::string configDir) : m_dir(std::move(configDir)) {
    if (!m_dir.empty()) {
        m_path = (fs::path(m_dir) / (sanitisedAppName(std::move(appName)) + ".ini")).string();
    }
}

uint32_t UserSettings::readValue(const std::string& name, uint32_t missingValue) {
    std::error_code error;
    if (m_path.empty() || !isStorableName(name) || !fs::is_regular_file(m_path, error)) {
        return missingValue;
    }
    IniFile ini;
    if (!ini.load(m_path, false, true)) {
        return missingValue;
    }
    const std::string text = ini.value(kSection, name);
    // Trailing blanks are what is left of a comment after the value.
    const std::string_view digits =
        std::string_view(text).substr(0, text.find_last_not_of(ascii::kWhiteSpace) + 1);
    uint32_t value = 0;
    const auto [end, code] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (code != std::errc() || end != digits.data() + digits.size()) {
        return missingValue;
    }
    return value;
}

SettingsWriteResult UserSettings::writeValue(const std::string& name, uint32_t value) {
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
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    IniFile ini;
    errno = 0;
    if (!ini.load(m_path, false, true)) {
        return {SettingsWriteError::NotSaved, m_path + ": " + std::strerror(errno)};
    }
    ini.setValue(kSection, name, std::string(text, result.ptr));
    const IniSaveResult saved = ini.save();
    if (!saved) {
        return {SettingsWriteError::NotSaved, m_path + ": " + saved.detail};
    }
    return {};
}
