#pragma once

#include <optional>
#include <string>
#include <vector>

// Why a settings file could not be saved.
enum class IniSaveError {
    None,
    // Nothing was written: the old file is as it was.
    NotWritten,
    // The folder takes no new file, and rewriting the file in place failed after it had begun:
    // the file may be cut short or half written.
    PartlyWritten,
    // Nothing was written: the file cannot hold the text so that it reads back the same.
    Unstorable,
};

struct IniSaveResult {
    IniSaveError error = IniSaveError::None;
    std::string detail; // the system's reason, such as "Permission denied", or what cannot be held
    explicit operator bool() const { return error == IniSaveError::None; }
};

// A settings file of [sections] and key=value lines, held in memory in file order.
//
// Reading trims every line of ASCII white space, starts a new section at every header (a
// repeated name gives a second section that lookups never reach), puts the entries before the
// first header into the unnamed section 0, and drops blank lines, comment lines (key starting
// with ';', '/', '\\' or '*') and entries with an empty key. Lines end in LF or CR LF; other
// bytes, NUL included, are ordinary text, and a UTF-8 byte order mark before the first line is
// skipped. Texts are byte strings and are never converted; ignore-case folds only the ASCII
// letters.
//
// Writing puts out the normalised form with CR LF line ends: "[name]" for every section but
// the unnamed section 0 ("[]" for a later section with an empty name), then "key=value" per
// entry. Comments and spacing are not kept. What a loaded file held reads back the same after
// a save: a file whose first line starts with a byte order mark gets one more, which reading
// drops again.
class IniFile {
public:
    // growStep: how many sections the table makes room for at first; it grows geometrically.
    explicit IniFile(int growStep = 4);
    // Saves first when loaded with autoSave, then clears.
    ~IniFile();

    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Loads fileName from the directory of the running executable; otherwise as Load.
    bool loadFromModuleDir(const std::string& fileName, bool autoSave, bool ignoreCase);
    // Saves and clears a store that is already loaded, then reads path. A missing file is
    // created empty; an existing one is never truncated. False, with the store empty and
    // unloaded, when the file cannot be created, opened or read, when it is not a regular file
    // (a folder, a pipe, a device) or when it is larger than 4 MiB; errno then says why.
    bool load(const std::string& path, bool autoSave, bool ignoreCase);
    // Saves and clears a store that is already loaded, then starts an empty store for path
    // without reading, creating or saving it.
    void loadEmpty(const std::string& path, bool ignoreCase);

    // Value of key in the first section of that name; of several equal keys the last counts.
    // The value is cut at the first "//", "\t;" or "/*"; white space before the marker stays.
    // A missing section gives defaultValue as it is, a missing key gives it trimmed.
    std::string value(const std::string& section, const std::string& key,
                      const std::string& defaultValue = "") const;
    // The entry value would read, as stored (no comment cut off); nullopt when there is none.
    std::optional<std::string> storedValue(const std::string& section, const std::string& key) const;
    // Why setValue(section, key, value) would not read back the same after a save and a load:
    // a control character anywhere (a line break would start a line of its own), a key that is
    // empty, holds '=', has blanks at either end or starts like a comment or a header, or a
    // value with blanks at either end or holding "//" or "/*". An empty detail when it would.
    static IniSaveResult checkStorable(const std::string& section, const std::string& key,
                                       const std::string& value);
    // Changes the entry value would read, or appends section and entry at the end. Marks
    // the store modified only when something differs under the name comparison, so with
    // ignore-case a change of letter case alone is stored unmarked. Does nothing while no
    // file is loaded.
    void setValue(const std::string& section, const std::string& key, const std::string& value);

    // Writes the whole store to its file when it is modified; the flag stays set. The file is
    // written beside the old one and renamed over it, so a failed save leaves the old file as
    // it was. Only when the folder takes no new file is the file rewritten in place and cut to
    // its new length. Nothing to write (not modified, nothing loaded) counts as saved.
    IniSaveResult save();
    // Drops every section, forgets the path and clears the modified flag.
    void clear();

    // Every entry in file order, with its section's name ("" for the entries before the first
    // header) and its value as stored.
    template <typename Visit> void forEachEntry(Visit visit) const {
        for (const Section& section : m_sections) {
            for (const Entry& entry : section.m_entries) {
                visit(section.m_name, entry.m_key, entry.m_value);
            }
        }
    }

    bool isLoaded() const { return !m_path.empty(); }
    bool isModified() const { return m_modified; }
    const std::string& path() const { return m_path; }

private:
    struct Entry {
        std::string m_key;
        std::string m_value;
    };
    struct Section {
        std::string m_name;
        std::vector<Entry> m_entries;
    };

    bool sameName(const std::string& a, const std::string& b) const;
    int findSection(const std::string& name) const;
    int findEntry(const Section& section, const std::string& key) const;
    void appendSection(std::string name);
    void parseLine(std::string line);
    std::string serialise() const;

    std::vector<Section> m_sections; // m_sections[0] is the unnamed section once loaded
    int m_growStep;
    bool m_ignoreCase = false;
    bool m_autoSave = false;
    bool m_modified = false;
    std::string m_path; // empty while nothing is loaded
};
