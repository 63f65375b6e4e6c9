#pragma once

#include <cstdint>
#include <string>

// Why a value could not be written to a settings store.
enum class SettingsWriteError {
    None,
    BadName,  // the name cannot be a key of the store (the value is dropped)
    NoFolder, // there is no folder to keep the file in, or it cannot be made
    NotSaved, // the file could not be read or written
};

struct SettingsWriteResult {
    SettingsWriteError error = SettingsWriteError::None;
    std::string detail; // the file or folder and the system's reason
    explicit operator bool() const { return error == SettingsWriteError::None; }
};

// The per-user values that outlive the program: numbers such as the radio "Type", the "Field"
// (band) and the "com" port number, and texts such as the folder the file dialogs last used.
// Names compare without regard to ASCII letter case. A value that cannot be read gives the
// missing value; a value that cannot be written is dropped and the write says why.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    virtual uint32_t readValue(const std::string& name, uint32_t missingValue) = 0;
    virtual SettingsWriteResult writeValue(const std::string& name, uint32_t value) = 0;
    // Any bytes; a text reads back exactly as written.
    virtual std::string readText(const std::string& name, const std::string& missingText) = 0;
    virtual SettingsWriteResult writeText(const std::string& name, const std::string& text) = 0;
};
