// A shipped Program.ini (or none), an AppName, a user's copy and a run of stores, with the shipped
// file writable or not: every store that succeeds reads back the same at once and after a
// restart, a refused one changes nothing, the user's copy lies in one folder of the
// configuration folder, nothing is written outside that folder but the shipped file, and the
// shipped file is never written when it is read-only.

#include "FuzzSupport.h"

#include "settings/ProgramSettings.h"
#include "text/AsciiText.h"

#include <map>
#include <string>
#include <system_error>
#include <tuple>
#include <utility>

namespace fs = std::filesystem;

namespace {

struct Stored {
    std::string section, key, value;
};

size_t length(fuzz::Bytes& bytes) {
    return static_cast<size_t>(bytes.byte()) | static_cast<size_t>(bytes.byte() & 0x0F) << 8;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes bytes(data, size);
    const uint8_t flags = bytes.byte();
    const bool shippedPresent = (flags & 1) != 0;
    const bool shippedWritable = (flags & 2) != 0;
    const std::string appName(bytes.take(bytes.byte() % 24));
    const std::string shippedText(bytes.take(length(bytes)));
    const std::string userText(bytes.take(length(bytes)));

    const fs::path root = fuzz::scratch().file("run");
    const fs::path share = root / "share";
    const fs::path config = root / "config";
    const std::string shipped = (share / "Program.ini").string();
    std::error_code error;
    fs::remove_all(root, error);
    fs::create_directories(share);
    if (shippedPresent) {
        fuzz::writeFile(shipped, "[Setup]\r\nAppName=" + appName + "\r\n" + shippedText);
    }
    const std::string shippedBefore = fuzz::readFile(shipped);

    std::map<std::pair<std::string, std::string>, Stored> expected; // by the folded names
    {
        ProgramSettings settings;
        settings.load(shipped, config.string(), shippedWritable);
        if (settings.usesUserCopy()) {
            const fs::path user = fs::path(settings.storePath()).lexically_normal();
            fuzz::require(user.filename() == "Program.ini" && user.parent_path().parent_path() == config &&
                              user.parent_path().filename() != ".." && user.parent_path().filename() != ".",
                          "the user's copy lies in one folder of the configuration folder");
            fs::create_directories(user.parent_path(), error);
            fuzz::writeFile(user.string(), userText);
            settings.load(shipped, config.string(), shippedWritable);
        }
        while (!bytes.empty()) {
            const std::string section(bytes.take(bytes.byte() % 12));
            const std::string key(bytes.take(bytes.byte() % 12));
            const std::string value(bytes.take(bytes.byte() % 24));
            const std::string before = settings.value(section, key, "\x01missing");
            if (settings.store(section, key, value)) {
                fuzz::require(settings.value(section, key) == value, "a stored value reads back at once");
                expected[{ascii::lowered(section), ascii::lowered(key)}] = {section, key, value};
            } else {
                fuzz::require(settings.value(section, key, "\x01missing") == before,
                              "a refused store changes nothing");
            }
        }
    }

    ProgramSettings next;
    next.load(shipped, config.string(), shippedWritable);
    for (const auto& [names, stored] : expected) {
        fuzz::require(next.value(stored.section, stored.key, "\x01missing") == stored.value,
                      "a stored value reads back the same after a restart");
    }
    if (!shippedWritable) {
        fuzz::require(fuzz::readFile(shipped) == shippedBefore && fs::exists(shipped) == shippedPresent,
                      "a read-only shipped file is never written");
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const fs::path path = entry.path().lexically_normal();
        const bool inConfig = path.string().rfind(config.string() + "/", 0) == 0 || path == config;
        fuzz::require(inConfig || path == share || path.string() == shipped,
                      "nothing is written outside the configuration folder but the shipped file");
    }
    return 0;
}
