#include "settings/ProgramSettings.h"

#include "platform/Paths.h"
#include "settings/UserSettings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

bool ProgramSettings::load(const std::string& shippedPath, const std::string& configDir) {
    return load(shippedPath, configDir, platform::isWritable(shippedPath));
}

bool ProgramSettings::load(const std::string& shippedPath, const std::string& configDir,
                           bool shippedWritable) {
    // Cleared, not reloaded: a reload would first save what the user's copy laid over the values.
    m_values.clear();
    m_user.clear();
    m_shippedPath = shippedPath;
    m_usesUserCopy = !shippedWritable;
    std::error_code error;
    bool loaded = false;
    if (shippedWritable || std::filesystem::is_regular_file(shippedPath, error)) {
        // Never saved from here: store() writes one value at a time.
        loaded = m_values.load(shippedPath, false, true);
    }
    if (!m_usesUserCopy) {
        return loaded;
    }
    const std::string appName = UserSettings::sanitisedAppName(m_values.value("Setup", "AppName", ""));
    m_userPath = configDir.empty() ? std::string()
                                   : (std::filesystem::path(configDir) / appName / "Program.ini").string();
    if (!m_userPath.empty() && std::filesystem::is_regular_file(m_userPath, error) &&
        m_user.load(m_userPath, false, true)) {
        loaded = true;
        m_user.forEachEntry([this](const std::string& section, const std::string& key,
                                   const std::string& value) { m_values.setValue(section, key, value); });
    }
    return loaded;
}

IniSaveResult ProgramSettings::store(const std::string& section, const std::string& key,
                                     const std::string& value) {
    const std::string before = m_values.value(section, key, "");
    if (!m_usesUserCopy) {
        m_values.setValue(section, key, value);
        IniSaveResult saved =
            m_values.isLoaded() ? m_values.save() : IniSaveResult{IniSaveError::NotWritten, ""};
        if (!saved) {
            m_values.setValue(section, key, before);
        }
        return saved;
    }
    if (m_userPath.empty()) {
        return {IniSaveError::NotWritten, "there is no folder for per-user settings ($HOME is not set)"};
    }
    if (!m_user.isLoaded()) {
        std::error_code error;
        std::filesystem::create_directories(std::filesystem::path(m_userPath).parent_path(), error);
        if (error) {
            return {IniSaveError::NotWritten, error.message()};
        }
        if (!m_user.load(m_userPath, false, true)) {
            return {IniSaveError::NotWritten, std::strerror(errno)};
        }
    }
    const std::string userBefore = m_user.value(section, key, "");
    m_user.setValue(section, key, value);
    IniSaveResult saved = m_user.save();
    if (!saved) {
        m_user.setValue(section, key, userBefore);
        return saved;
    }
    m_values.setValue(section, key, value);
    return saved;
}
