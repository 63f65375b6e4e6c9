// Program.ini of any bytes, read with and without ignore-case: what is loaded, saved and loaded
// again has the same entries, and saving that once more writes the same bytes.

#include "FuzzSupport.h"

#include "settings/IniFile.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

using Entries = std::vector<std::tuple<std::string, std::string, std::string>>;

Entries entriesOf(const IniFile& ini) {
    Entries entries;
    ini.forEachEntry([&](const std::string& section, const std::string& key, const std::string& value) {
        entries.emplace_back(section, key, value);
    });
    return entries;
}

// save() writes only a modified store. Setting an entry of our own to two values in turn marks
// it modified whatever the file held, and leaves the store as a load of its saved form reads.
void touchAndSave(IniFile& ini) {
    ini.setValue("fuzz touch", "k", "a");
    ini.setValue("fuzz touch", "k", "b");
    fuzz::require(ini.isModified(), "setValue marks the store modified");
    fuzz::require(static_cast<bool>(ini.save()), "a loaded store saves");
}

void roundTrip(const std::string& text, bool ignoreCase) {
    const std::string first = fuzz::scratch().file("first.ini");
    const std::string second = fuzz::scratch().file("second.ini");
    fuzz::writeFile(first, text);
    fuzz::writeFile(second, "");

    IniFile loaded;
    fuzz::require(loaded.load(first, false, ignoreCase), "a regular file loads");
    touchAndSave(loaded);
    const Entries entries = entriesOf(loaded);
    const std::string saved = fuzz::readFile(first);

    IniFile reloaded;
    fuzz::require(reloaded.load(first, false, ignoreCase), "a saved file loads");
    fuzz::require(entriesOf(reloaded) == entries, "load, save, load keeps the entries");

    fuzz::writeFile(second, saved);
    IniFile again;
    fuzz::require(again.load(second, false, ignoreCase), "a saved file loads");
    touchAndSave(again);
    fuzz::require(fuzz::readFile(second) == saved, "saving a saved file writes the same bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    roundTrip(text, true);
    roundTrip(text, false);
    return 0;
}
