#pragma once

#include <cstdint>
#include <string>

// The per-user values that outlive the program: the radio "Type", the "Field" (band) and the
// "com" port number. Names compare without regard to ASCII letter case. Failures are silent:
// a value that cannot be read gives missingValue, a value that cannot be written is dropped.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    virtual uint32_t readValue(const std::string& name, uint32_t missingValue) = 0;
    virtual void writeValue(const std::string& name, uint32_t value) = 0;
};
