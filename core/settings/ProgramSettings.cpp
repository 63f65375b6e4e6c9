#include "settings/ProgramSettings.h"

#include "platform/Paths.h"

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
    m_shippedLoaded = loaded;
    if (!m_usesUserCopy) {
        return loaded;
    }
    if (!loaded) {
        // No shipped file to read: the user's values still count, over an empty set.
        m_values.loadEmpty(shippedPath, true);
    }
    const std::string appName = platform::appFolderName(m_ini.appName());
    m_userPath = configDir.empty() ? std::string()
                                   : (std::filesystem::path(configDir) / appName / "Program.ini").string();
    if (!m_userPath.empty() && std::filesystem::is_regular_file(m_userPath, error) &&
        m_user.load(m_userPath, false, true)) {
        loaded = true;
        // What the lookups reach of every entry: of a repeated section the first, of a repeated
        // key the last, the same entry that store() changes.
        m_user.forEachEntry([this](const std::string& section, const std::string& key, const std::string&) {
            m_values.setValue(section, key, m_user.storedValue(section, key).value_or(std::string()));
        });
    }
    return loaded;
}

IniSaveResult ProgramSettings::store(const std::string& section, const std::string& key,
                                     const std::string& value) {
    IniSaveResult storable = IniFile::checkStorable(section, key, value);
    if (!storable) {
        return storable;
    }
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
