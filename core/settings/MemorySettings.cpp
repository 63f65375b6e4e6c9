#include "settings/MemorySettings.h"

namespace {

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace

uint32_t CMemorySettings::readValue(const std::string& name, uint32_t missingValue) {
    const auto found = m_values.find(lowerAscii(name));
    return found == m_values.end() ? missingValue : found->second;
}

void CMemorySettings::writeValue(const std::string& name, uint32_t value) {
    m_values[lowerAscii(name)] = value;
}
