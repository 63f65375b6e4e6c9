#pragma once

#include "settings/IniFile.h"
#include "settings/ProgramIni.h"

#include <string>

// Program.ini as the programs see it. The file ships with the program (beside it, or in its
// share folder once installed). When that file cannot be written, as in an installation, the
// user has a copy of their own, <configDir>/<AppName>/Program.ini, that holds only the values
// the program changed: its entries override the shipped ones, it takes every change, and the
// shipped file is never modified. Otherwise changes go into the shipped file itself.
class ProgramSettings {
public:
    ProgramSettings() = default;
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

    // Reads the shipped file (created empty when missing and its folder takes files) and the
    // user's copy over it. `configDir` is the base of per-user settings ($XDG_CONFIG_HOME); empty
    // for none. False when neither file could be read. When the shipped file cannot be read
    // and is not written, the user's copy lies over an empty set.
    bool load(const std::string& shippedPath, const std::string& configDir);
    // The same, told whether the shipped file can be written (the superuser can write anything,
    // so tests say it instead).
    bool load(const std::string& shippedPath, const std::string& configDir, bool shippedWritable);

    // Every value, the user's over the shipped ones.
    const IniFile& values() const { return m_values; }
    std::string value(const std::string& section, const std::string& key,
                      const std::string& defaultValue = "") const {
        return m_values.value(section, key, defaultValue);
    }
    // The same values read by what they mean: what the programs ask.
    const ProgramIni& ini() const { return m_ini; }

    // Sets one value and saves it where changes go, creating the user's folder when needed. When
    // it cannot be saved, or would not read back the same (IniFile::checkStorable), values()
    // reads as before and the reason is returned.
    IniSaveResult store(const std::string& section, const std::string& key, const std::string& value);
    IniSaveResult store(const IniKey& place, const std::string& value) {
        return store(place.section, place.key, value);
    }

    // [Setup] Language for the next start: "English" or "Chinese".
    IniSaveResult storeLanguage(Language language) {
        return store(ProgramIni::languageKey(), ProgramIni::languageName(language));
    }
    // [Setup] Language as it is given, such as the section that was read at start-up.
    IniSaveResult storeLanguageSection(const std::string& section) {
        return store(ProgramIni::languageKey(), section);
    }
    // [Setup] COM<number>: the device the port stands for; empty to count the devices again.
    IniSaveResult storePortDevice(int number, const std::string& device) {
        return store(ProgramIni::portDeviceKey(number), device);
    }

    // The file store() writes: the shipped file, or the user's copy.
    const std::string& storePath() const { return m_usesUserCopy ? m_userPath : m_shippedPath; }
    bool usesUserCopy() const { return m_usesUserCopy; }
    // Whether the shipped file was read (values() may hold the user's entries without it).
    bool shippedLoaded() const { return m_shippedLoaded; }

private:
    IniFile m_values; // the shipped file with the user's entries laid over it in memory
    ProgramIni m_ini{m_values};
    IniFile m_user; // the user's copy, once it exists
    std::string m_shippedPath;
    std::string m_userPath;
    bool m_usesUserCopy = false;
    bool m_shippedLoaded = false;
};
