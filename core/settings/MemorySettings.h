#pragma once

#include "settings/SettingsStore.h"

#include <map>
#include <string>

// Settings that live only as long as the object; for tests and for running without a profile.
class MemorySettings : public ISettingsStore {
public:
    uint32_t readValue(const std::string& name, uint32_t missingValue) override;
    SettingsWriteResult writeValue(const std::string& name, uint32_t value) override;
    std::string readText(const std::string& name, const std::string& missingText) override;
    SettingsWriteResult writeText(const std::string& name, const std::string& text) override;

private:
    std::map<std::string, uint32_t> m_values; // keyed by the name in lower case
    std::map<std::string, std::string> m_words;
};
