#include "settings/IniFile.h"

#include "text/AsciiText.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCommentStarts = ";/\\*";
constexpr std::string_view kValueCommentMarkers[] = {"//", "\t;", "/*"};
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kProbeAttempts = 8;
// Program.ini holds a few kilobytes; anything near this size is not one, and reading it whole
// would only fill the memory.
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

using ascii::trimmed;

// A hidden name beside target that no other process picks at the same time.
fs::path probePathFor(const fs::path& target) {
    static std::atomic<uint64_t> counter{0};
    const uint64_t unique =
        (++counter * 0x9E3779B97F4A7C15ULL) ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    char hex[17] = {};
    std::to_chars(hex, hex + 16, unique, 16);
    return target.parent_path() / ("." + target.filename().string() + "." + hex + ".probe");
}

// True when a new file can be made beside target. The probe file is removed again.
bool folderTakesNewFiles(const fs::path& target) {
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        const fs::path probe = probePathFor(target);
        errno = 0;
        std::FILE* file = std::fopen(probe.string().c_str(), "wbx"); // exclusive: never a stranger's file
        if (file != nullptr) {
            std::fclose(file);
            std::error_code error;
            fs::remove(probe, error);
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

// Last resort when no file can be made beside the target: overwrite it and cut it to the new
// length, so no old tail stays behind.
IniSaveResult rewriteInPlace(const fs::path& target, const std::string& data) {
    errno = 0;
    std::FILE* file = std::fopen(target.string().c_str(), "r+b");
    if (file == nullptr) {
        return {IniSaveError::NotWritten, std::strerror(errno)};
    }
    // The whole new text first, on disk, and only then the file cut to its length: a crash
    // meanwhile leaves the new text followed by the old one's tail, never a gap.
    std::string reason;
    if (std::fwrite(data.data(), 1, data.size(), file) != data.size() || std::fflush(file) != 0 ||
        ::fsync(fileno(file)) != 0) {
        reason = std::strerror(errno);
    }
    if (std::fclose(file) != 0 && reason.empty()) {
        reason = std::strerror(errno);
    }
    std::error_code error;
    if (reason.empty()) {
        fs::resize_file(target, data.size(), error);
    }
    if (!reason.empty() || error) {
        return {IniSaveError::PartlyWritten, reason.empty() ? error.message() : reason};
    }
    return {};
}

} // namespace

IniFile::IniFile(int growStep) : m_growStep(std::max(growStep, 1)) {}

IniFile::~IniFile() {
    try {
        if (m_autoSave && isLoaded()) {
            save();
        }
    } catch (...) {
        // Out of memory while saving at shutdown: the file keeps its old content.
    }
    clear();
}

bool IniFile::loadFromModuleDir(const std::string& fileName, bool autoSave, bool ignoreCase) {
    return load((fs::path(platform::executableDir()) / fileName).string(), autoSave, ignoreCase);
}

bool IniFile::load(const std::string& path, bool autoSave, bool ignoreCase) {
    if (isLoaded()) {
        save();
        clear();
    }
    m_autoSave = autoSave;
    m_ignoreCase = ignoreCase;
    if (path.empty()) {
        return false;
    }

    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    // A folder, a pipe or a device is no settings file: a pipe may never deliver an end and a
    // device such as /dev/zero never ends at all.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        errno = fs::is_directory(status) ? EISDIR : EINVAL;
        return false;
    }
    if (!fs::exists(status)) {
        // Append mode creates the file without ever truncating one that appeared meanwhile.
        std::ofstream create(path, std::ios::binary | std::ios::app);
        if (!create) {
            return false;
        }
    }
    std::string bytes;
    if (!platform::readRegularFile(path, kMaxFileBytes, bytes)) {
        return false;
    }

    m_path = path;
    appendSection(std::string());
    std::string_view text = bytes;
    // Editors on other systems may put a byte order mark before the first line.
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        text.remove_prefix(kUtf8Bom.size());
    }
    // Lines end at LF; a last line without one counts, an empty rest after the last LF does not.
    while (!text.empty()) {
        const size_t end = text.find('\n');
        parseLine(std::string(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return true;
}

std::optional<std::string> IniFile::storedValue(const std::string& section, const std::string& key) const {
    const int sectionIndex = findSection(section);
    if (sectionIndex < 0) {
        return std::nullopt;
    }
    const Section& found = m_sections[static_cast<size_t>(sectionIndex)];
    const int entryIndex = findEntry(found, key);
    if (entryIndex < 0) {
        return std::nullopt;
    }
    return found.m_entries[static_cast<size_t>(entryIndex)].m_value;
}

void IniFile::loadEmpty(const std::string& path, bool ignoreCase) {
    if (isLoaded()) {
        save();
        clear();
    }
    m_autoSave = false;
    m_ignoreCase = ignoreCase;
    if (!path.empty()) {
        m_path = path;
        appendSection(std::string());
    }
}

std::string IniFile::value(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const {
    if (findSection(section) < 0) {
        return defaultValue;
    }
    const std::optional<std::string> value = storedValue(section, key);
    if (!value) {
        return trimmed(defaultValue);
    }
    size_t cut = std::string::npos;
    for (std::string_view marker : kValueCommentMarkers) {
        cut = std::min(cut, value->find(marker));
    }
    return value->substr(0, cut);
}

IniSaveResult IniFile::checkStorable(const std::string& section, const std::string& key,
                                     const std::string& value) {
    const auto unstorable = [](std::string reason) {
        return IniSaveResult{IniSaveError::Unstorable, std::move(reason)};
    };
    const auto isControl = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    };
    const std::pair<const char*, const std::string*> texts[] = {
        {"section name", &section}, {"key", &key}, {"value", &value}};
    for (const auto& [what, text] : texts) {
        if (std::any_of(text->begin(), text->end(), isControl)) {
            return unstorable(std::string("the ") + what +
                              " holds a line break or another control character");
        }
    }
    const auto blankAtEnd = [](const std::string& text) {
        return !text.empty() && (text.front() == ' ' || text.back() == ' ');
    };
    if (key.empty() || key.find('=') != std::string::npos || blankAtEnd(key) ||
        kCommentStarts.find(key.front()) != std::string_view::npos || key.front() == '[') {
        return unstorable("'" + key +
                          "' cannot be a key: it is empty, holds '=', has blanks at an end "
                          "or starts with ';', '/', '\\', '*' or '['");
    }
    if (blankAtEnd(value)) {
        return unstorable("'" + value + "' starts or ends with a blank, which the file drops");
    }
    for (std::string_view marker : kValueCommentMarkers) {
        if (value.find(marker) != std::string::npos) {
            return unstorable("'" + value + "' holds '" + std::string(marker) + "', where a comment starts");
        }
    }
    return {};
}

void IniFile::setValue(const std::string& section, const std::string& key, const std::string& value) {
    if (!isLoaded()) {
        return;
    }
    int sectionIndex = findSection(section);
    if (sectionIndex < 0) {
        appendSection(section);
        sectionIndex = static_cast<int>(m_sections.size()) - 1;
        m_modified = true;
    }
    Section& target = m_sections[static_cast<size_t>(sectionIndex)];
    const int entryIndex = findEntry(target, key);
    if (entryIndex < 0) {
        target.m_entries.push_back({key, value});
        m_modified = true;
        return;
    }
    Entry& entry = target.m_entries[static_cast<size_t>(entryIndex)];
    if (!sameName(entry.m_value, value)) {
        m_modified = true;
    }
    entry.m_value = value;
}

IniSaveResult IniFile::save() {
    if (!m_modified || !isLoaded()) {
        return {};
    }
    const std::string data = serialise();
    std::string reason;
    if (platform::writeFileAtomically(m_path, data, reason)) {
        return {};
    }
    // Without a replacement file beside it the file can still be rewritten in place. Any other
    // failure (a full disk, say) leaves the old file as it was rather than half written.
    std::error_code error;
    fs::path target = fs::canonical(m_path, error); // the file a symbolic link points to
    if (error) {
        target = m_path;
    }
    if (folderTakesNewFiles(target)) {
        return {IniSaveError::NotWritten, reason};
    }
    return rewriteInPlace(target, data);
}

void IniFile::clear() {
    m_sections.clear();
    m_path.clear();
    m_modified = false;
}

bool IniFile::sameName(const std::string& a, const std::string& b) const {
    if (!m_ignoreCase) {
        return a == b;
    }
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ascii::fold(x) == ascii::fold(y);
           });
}

int IniFile::findSection(const std::string& name) const {
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (sameName(m_sections[i].m_name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int IniFile::findEntry(const Section& section, const std::string& key) const {
    for (size_t i = section.m_entries.size(); i-- > 0;) {
        if (sameName(section.m_entries[i].m_key, key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void IniFile::appendSection(std::string name) {
    // The first reservation takes the grow step; after that the vector grows geometrically, so
    // a file of many sections loads in linear time.
    if (m_sections.capacity() == 0) {
        m_sections.reserve(static_cast<size_t>(m_growStep));
    }
    m_sections.push_back({std::move(name), {}});
}

void IniFile::parseLine(std::string line) {
    line = trimmed(line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        appendSection(line.substr(1, line.size() - 2));
        return;
    }
    const size_t equals = line.find('=');
    std::string key = trimmed(std::string_view(line).substr(0, equals));
    if (key.empty() || kCommentStarts.find(key.front()) != std::string_view::npos) {
        return;
    }
    std::string value =
        equals == std::string::npos ? std::string() : trimmed(std::string_view(line).substr(equals + 1));
    m_sections.back().m_entries.push_back({std::move(key), std::move(value)});
}

std::string IniFile::serialise() const {
    std::string out;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const Section& section = m_sections[i];
        // Section 0 is unnamed and so never gets a header. A later section with an empty name
        // keeps its "[]", or its entries would join the section before it.
        if (i > 0) {
            out += '[';
            out += section.m_name;
            out += ']';
            out += kLineEnd;
        }
        for (const Entry& entry : section.m_entries) {
            if (!entry.m_key.empty()) {
                out += entry.m_key;
                out += '=';
            }
            out += entry.m_value;
            out += kLineEnd;
        }
    }
    // Reading drops one byte order mark at the start, so a first key that begins with one (a
    // file that had two) needs another in front to read back unchanged.
    if (out.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
        out.insert(0, kUtf8Bom);
    }
    return out;
}
