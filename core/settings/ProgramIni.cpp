#include "settings/ProgramIni.h"

#include "settings/IniFile.h"
#include "text/AsciiText.h"

#include <cstdlib>

namespace {

const char* const kSetup = "Setup";

const char* keyOf(LanguageText text) {
    switch (text) {
    case LanguageText::AppName:
        return "AppName";
    case LanguageText::Company:
        return "Company";
    case LanguageText::AboutTitle:
        return "About Title";
    case LanguageText::Copyrights:
        return "Copyrights";
    case LanguageText::CopyrightsOwner:
        return "Copyrights Owner";
    case LanguageText::Title:
        return "Title";
    }
    return "";
}

} // namespace

std::string ProgramIni::value(const IniKey& place) const {
    return m_values->value(place.section, place.key, "");
}

std::string ProgramIni::appName() const {
    return value(appNameKey());
}

std::string ProgramIni::languageSection() const {
    return value(languageKey());
}

Language ProgramIni::language() const {
    return languageSection() == languageName(Language::Chinese) ? Language::Chinese : Language::English;
}

bool ProgramIni::showLanguageCommand() const {
    return std::strtol(value(showLanguageKey()).c_str(), nullptr, 10) != 0;
}

std::string ProgramIni::typeName(unsigned typeIndex) const {
    return value(typeNameKey(typeIndex));
}

std::string ProgramIni::bandList(unsigned typeIndex) const {
    return value(bandListKey(typeIndex));
}

std::string ProgramIni::portDevice(int number) const {
    // The value may carry spaces before a trailing comment; a device path never ends in one.
    return ascii::trimmed(value(portDeviceKey(number)));
}

std::string ProgramIni::languageText(Language language, LanguageText text) const {
    return languageText(languageName(language), text);
}

std::string ProgramIni::languageText(const std::string& section, LanguageText text) const {
    return value(languageTextKey(section, text));
}

IniKey ProgramIni::appNameKey() {
    return {kSetup, "AppName"};
}

IniKey ProgramIni::languageKey() {
    return {kSetup, "Language"};
}

IniKey ProgramIni::showLanguageKey() {
    return {kSetup, "ShowLang"};
}

IniKey ProgramIni::typeNameKey(unsigned typeIndex) {
    return {kSetup, "Type" + std::to_string(typeIndex + 1)};
}

IniKey ProgramIni::bandListKey(unsigned typeIndex) {
    return {kSetup, "Field" + std::to_string(typeIndex + 1)};
}

IniKey ProgramIni::portDeviceKey(int number) {
    return {kSetup, "COM" + std::to_string(number)};
}

IniKey ProgramIni::languageTextKey(const std::string& section, LanguageText text) {
    return {section, keyOf(text)};
}

std::string ProgramIni::languageName(Language language) {
    return language == Language::Chinese ? "Chinese" : "English";
}
