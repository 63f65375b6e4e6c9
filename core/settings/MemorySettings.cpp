#include "settings/MemorySettings.h"

#include "text/AsciiText.h"

uint32_t MemorySettings::readValue(const std::string& name, uint32_t missingValue) {
    const auto found = m_values.find(ascii::lowered(name));
    return found == m_values.end() ? missingValue : found->second;
}

SettingsWriteResult MemorySettings::writeValue(const std::string& name, uint32_t value) {
    m_values[ascii::lowered(name)] = value;
    return {};
}

std::string MemorySettings::readText(const std::string& name, const std::string& missingText) {
    const auto found = m_words.find(ascii::lowered(name));
    return found == m_words.end() ? missingText : found->second;
}

SettingsWriteResult MemorySettings::writeText(const std::string& name, const std::string& text) {
    m_words[ascii::lowered(name)] = text;
    return {};
}
