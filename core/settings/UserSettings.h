#pragma once

#include "platform/Paths.h"
#include "settings/SettingsStore.h"

#include <optional>
#include <string>

// Per-user values in <configDir>/<appName>.ini, section [Settings], in decimal. The file is
// opened afresh for every read and write, so two running programs see each other's changes.
// Reading never creates anything; writing creates the folder and the file when missing.
// A name that cannot be a key of the file (empty, with '=', a line break or NUL, spaces at
// either end, or starting like a comment or a header) reads as missing and is not written.
class UserSettings : public ISettingsStore {
public:
    // The file is named by platform::appFolderName(appName). An empty configDir leaves the
    // store without a file.
    explicit UserSettings(std::string appName, std::string configDir = platform::userConfigDir());

    uint32_t readValue(const std::string& name, uint32_t missingValue) override;
    SettingsWriteResult writeValue(const std::string& name, uint32_t value) override;
    // Kept with '%XX' for '%' and for every byte the file would not read back as it is (line
    // breaks, blanks, comment markers), so a folder's path stays readable in the file.
    std::string readText(const std::string& name, const std::string& missingText) override;
    SettingsWriteResult writeText(const std::string& name, const std::string& text) override;

    // Empty when there is no folder to keep the file in.
    const std::string& filePath() const { return m_path; }

private:
    // The value as the file holds it, read anew; nullopt when there is none.
    std::optional<std::string> readStored(const std::string& name) const;
    SettingsWriteResult writeStored(const std::string& name, const std::string& stored);

    std::string m_dir;
    std::string m_path;
};
