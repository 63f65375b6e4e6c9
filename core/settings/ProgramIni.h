#pragma once

#include "text/CoreTexts.h"

#include <string>

class IniFile;

// A place in Program.ini: a key of a section.
struct IniKey {
    std::string section;
    std::string key;
};

// The texts of a language's section of Program.ini.
enum class LanguageText {
    AppName,         // the product's name in that language
    Company,         // the caption of every message box, the root of the navigation tree
    AboutTitle,      // the About box's caption and its menu entry
    Copyrights,      // the About box's copyright line
    CopyrightsOwner, // the About box's owner line, and the report's
    Title,           // the caption line above the channel grid
};

// Program.ini read by what its values mean. Every section and key that the programs read or
// store is spelled here and nowhere else; ProgramSettings stores under the same keys. A view:
// the IniFile must outlive it.
//
//   [Setup]     Language, ShowLang, AppName, Type1..Type19, Field1..Field19, COM1..COM4
//   [English]   AppName, Company, About Title, Copyrights, Copyrights Owner, Title
//   [Chinese]   the same keys in Chinese; any other section [Setup] Language names likewise
class ProgramIni {
public:
    explicit ProgramIni(const IniFile& values) : m_values(&values) {}
    explicit ProgramIni(const IniFile&& values) = delete; // would outlive its file

    // The file as read, for what only it knows (whether it was loaded).
    const IniFile& values() const { return *m_values; }

    // [Setup] AppName: names the user's own folders and files, and a new document.
    std::string appName() const;

    // [Setup] Language as written: the section of the language's texts and the base name of the
    // translation file.
    std::string languageSection() const;
    // The language of core's texts: Chinese exactly when [Setup] Language is byte for byte
    // "Chinese", English for anything else.
    Language language() const;
    // [Setup] ShowLang: whether the Language command is offered. Set when the number at its start,
    // read the way atoi reads it (blanks, a sign, digits), is not 0; empty or missing is 0.
    bool showLanguageCommand() const;

    // [Setup] Type<t+1>: the name of type index t; empty when missing.
    std::string typeName(unsigned typeIndex) const;
    // [Setup] Field<t+1>: the bands of type index t as written, separated by '|'.
    std::string bandList(unsigned typeIndex) const;

    // [Setup] COM<n>: the device port n (1..4) stands for, without the blanks a trailing comment
    // leaves; empty when none is configured.
    std::string portDevice(int number) const;

    // A text of a language's section: the one [Setup] Language named at start-up, say.
    std::string languageText(const std::string& section, LanguageText text) const;
    // A text of [English] or [Chinese], whatever [Setup] Language names.
    std::string languageText(Language language, LanguageText text) const;

    // The places of the values above, for storing them and for messages that name them.
    static IniKey appNameKey();
    static IniKey languageKey();
    static IniKey showLanguageKey();
    static IniKey typeNameKey(unsigned typeIndex);
    static IniKey bandListKey(unsigned typeIndex);
    static IniKey portDeviceKey(int number);
    static IniKey languageTextKey(const std::string& section, LanguageText text);
    // The value [Setup] Language takes for a language: "English" or "Chinese", also the name of
    // that language's section.
    static std::string languageName(Language language);

private:
    std::string value(const IniKey& place) const;

    const IniFile* m_values;
};
