// A history folder of any files (images, short files, links out of the folder, folders, with
// names of any bytes) and an index of any bytes, through list, load and an add that prunes:
// only regular files inside the folder are listed and loaded, the listed texts are UTF-8
// without control characters, an entry that the add keeps is never lost, and nothing outside
// the folder is read, written or removed; files go only when a pruned entry named them.
//
// Input: the limit, the number of files, then per file its kind and a name (length byte, then
// the bytes); the rest is the index.

#include "FuzzSupport.h"

#include "history/RadioHistory.h"
#include "image/MemoryImage.h"
#include "text/Utf8.h"

#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

bool isCleanText(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const utf8::Sequence s = utf8::decodeAt(text, pos);
        if (s.length == 0 || s.codePoint < 0x20 || (s.codePoint >= 0x7F && s.codePoint < 0xA0)) {
            return false;
        }
        pos += s.length;
    }
    return true;
}

bool isRegularNotLink(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        names.insert(e.path().filename().string());
    }
    return names;
}

struct Loaded {
    HistoryError error;
    MemoryImage image;
};

Loaded loadEntry(const RadioHistory& history, const std::string& id) {
    Loaded loaded{HistoryError::None, MemoryImage()};
    loaded.error = history.load(id, loaded.image).error;
    return loaded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    const fs::path root = fuzz::scratch().file("root");
    const fs::path folder = root / "history";
    const std::string outsideBytes(image::kSize, 'O');
    std::error_code error;
    fs::remove_all(root, error);
    fs::create_directories(folder);
    fuzz::writeFile((root / "outside.dat").string(), outsideBytes);

    const size_t limit = 1 + in.byte() % 6;
    const int files = in.byte() % 6;
    for (int i = 0; i < files; ++i) {
        const int kind = in.byte() % 4;
        const std::string name(in.take(in.byte() % 24));
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of(std::string("/\0", 2)) != std::string::npos) {
            continue;
        }
        const fs::path path = folder / name;
        if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
            continue;
        }
        switch (kind) {
        case 0:
            fuzz::writeFile(path.string(), std::string(image::kSize, static_cast<char>('a' + i)));
            break;
        case 1:
            fuzz::writeFile(path.string(), std::string(static_cast<size_t>(i) * 100, 'b'));
            break;
        case 2:
            fs::create_symlink("../outside.dat", path, error);
            break;
        default:
            fs::create_directory(path, error);
            break;
        }
    }
    const std::string_view index = in.rest();
    if (fs::symlink_status(folder / "index.txt", error).type() == fs::file_type::not_found) {
        fuzz::writeFile((folder / "index.txt").string(), index);
    }

    RadioHistory history(folder.string(), limit);
    const std::vector<HistoryEntry> before = history.entries();
    std::vector<Loaded> loadedBefore;
    for (const HistoryEntry& e : before) {
        fuzz::require(isRegularNotLink(folder / e.fileName) && e.fileName.find('/') == std::string::npos,
                      "only regular files inside the folder are listed");
        fuzz::require(isCleanText(e.id) && isCleanText(e.time) && isCleanText(e.port),
                      "listed texts are UTF-8 without control characters");
        loadedBefore.push_back(loadEntry(history, e.id));
        fuzz::require(loadedBefore.back().error == HistoryError::None ||
                          loadedBefore.back().error == HistoryError::DataFormat,
                      "a listed entry loads or is a format error");
        fuzz::require(loadedBefore.back().error != HistoryError::None ||
                          fuzz::readFile((folder / e.fileName).string()) ==
                              std::string(reinterpret_cast<const char*>(loadedBefore.back().image.data()),
                                          image::kSize),
                      "a load gives the entry's own file");
    }

    const std::set<std::string> namesBefore = namesIn(folder);
    HistoryEntry added;
    const bool addedOk =
        static_cast<bool>(history.add(HistoryKind::Read, MemoryImage::newDocument(), "p", &added));
    const std::vector<HistoryEntry> after = history.entries();

    fuzz::require(fuzz::readFile((root / "outside.dat").string()) == outsideBytes,
                  "nothing outside the folder is written");
    fuzz::require(namesIn(root) == std::set<std::string>{"history", "outside.dat"},
                  "nothing is created or removed beside the folder");
    // What the add keeps: the newest limit - 1 entries that were listed, and the new one.
    const size_t kept = addedOk ? std::min(before.size(), limit - 1) : before.size();
    std::set<std::string> keptFiles;
    for (size_t i = 0; i < kept; ++i) {
        keptFiles.insert(before[i].fileName);
        const auto found = std::find_if(after.begin(), after.end(),
                                        [&](const HistoryEntry& e) { return e.id == before[i].id; });
        fuzz::require(found != after.end(), "a kept entry is never lost");
        const Loaded again = loadEntry(history, before[i].id);
        fuzz::require(again.error == loadedBefore[i].error &&
                          (again.error != HistoryError::None || again.image == loadedBefore[i].image),
                      "a kept entry loads as before");
    }
    if (addedOk) {
        fuzz::require(!after.empty() && after.front().id == added.id, "the new entry is listed first");
        fuzz::require(loadEntry(history, added.id).error == HistoryError::None, "the new entry loads");
    }
    std::set<std::string> prunedFiles;
    for (size_t i = kept; i < before.size(); ++i) {
        prunedFiles.insert(before[i].fileName);
    }
    for (const std::string& name : namesBefore) {
        const bool mayGo = prunedFiles.count(name) != 0 && keptFiles.count(name) == 0;
        fuzz::require(mayGo || fs::symlink_status(folder / name, error).type() != fs::file_type::not_found,
                      "only files of pruned entries are removed");
    }
    return 0;
}
