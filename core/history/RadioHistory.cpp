#include "history/RadioHistory.h"

#include "image/DatFile.h"
#include "platform/AtomicFile.h"
#include "platform/LocalTime.h"
#include "platform/Paths.h"
#include "text/CoreTexts.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char kIndexName[] = "index.txt";
// Held (flock) by every add from reading the index to replacing it.
constexpr char kLockName[] = "index.lock";
// How long an add waits for another program's add before it gives up.
constexpr auto kLockWait = std::chrono::seconds(5);
// Ids taken in one millisecond before an add gives up looking for a free one.
constexpr int kMaxSequence = 1000;
// The first line of the index; a file that starts otherwise is still read line by line.
constexpr char kIndexHeader[] = "# radio history: id, time, kind, port, type, band, channels in use, file";
constexpr char kImageSuffix[] = ".dat";
constexpr size_t kFieldCount = 8;
// An index of the limit's 500 entries takes some 60 kB; a file larger than this is not ours.
constexpr size_t kMaxIndexBytes = 4 * 1024 * 1024;

struct KindName {
    HistoryKind kind;
    const char* name;
};
constexpr KindName kKindNames[] = {
    {HistoryKind::Read, "read"},
    {HistoryKind::BeforeWrite, "before-write"},
    {HistoryKind::Written, "written"},
};

bool kindFromName(std::string_view name, HistoryKind& kind) {
    for (const KindName& k : kKindNames) {
        if (name == k.name) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

// A field as it is stored and shown: control characters (C0, DEL, C1: tabs and line breaks
// would split the index, escapes would drive the user's terminal) become '?' and bytes that are
// no UTF-8 become U+FFFD. Applied to every text field read from the index, so a hand-edited or
// hostile index reaches no listing as it is.
std::string indexField(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const utf8::Sequence s = utf8::decodeAt(text, pos);
        if (s.length == 0) {
            clean += "\xEF\xBF\xBD";
            ++pos;
            continue;
        }
        if (s.codePoint < 0x20 || (s.codePoint >= 0x7F && s.codePoint < 0xA0)) {
            clean += '?';
        } else {
            clean.append(text.substr(pos, s.length));
        }
        pos += s.length;
    }
    return clean;
}

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

bool parseNumber(std::string_view text, int min, int max, int& value) {
    int parsed = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || code != std::errc() || end != text.data() + text.size() || parsed < min ||
        parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}

// A plain file name inside the folder: a foreign index must not lead a load or a prune
// elsewhere. A NUL would cut the name the system sees ("index.txt\0.dat"), so no control byte
// is allowed either.
bool isPlainImageName(std::string_view name) {
    const std::string_view suffix(kImageSuffix);
    const bool controls = std::any_of(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    return name.size() > suffix.size() && name.size() <= 255 &&
           name.substr(name.size() - suffix.size()) == suffix && name.front() != '.' && !controls &&
           name.find_first_of("/\\") == std::string_view::npos;
}

// Whether `name` in `folder` is a regular file itself, not a link to one.
bool isRegularFileInFolder(const std::string& folder, const std::string& name) {
    struct stat st {};
    return ::lstat((fs::path(folder) / name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Holds the history's lock file for one add. flock() locks belong to the open file, so each
// add opens its own and two threads of one process exclude each other as two processes do.
// Waits at most kLockWait; a file system without flock() is used without the lock.
class IndexLock {
public:
    explicit IndexLock(const std::string& path) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            m_error = path + ": " + std::strerror(errno);
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno != EWOULDBLOCK) {
                return; // no locks here: go on as before there were any
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                m_error = path + ": another program keeps the radio history locked";
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~IndexLock() {
        if (m_fd >= 0) {
            ::close(m_fd); // releases the lock
        }
    }
    IndexLock(const IndexLock&) = delete;
    IndexLock& operator=(const IndexLock&) = delete;

    // "" when the lock is held.
    const std::string& error() const { return m_error; }

private:
    int m_fd = -1;
    std::string m_error;
};

bool parseLine(std::string_view line, HistoryEntry& entry) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.empty() || line.front() == '#') {
        return false;
    }
    const std::vector<std::string_view> f = splitTabs(line);
    int type = 0;
    int band = 0;
    if (f.size() != kFieldCount || f[0].empty() || !kindFromName(f[2], entry.kind) ||
        !parseNumber(f[4], 0, 255, type) || !parseNumber(f[5], 0, 255, band) ||
        !parseNumber(f[6], 0, image::kChannelCount, entry.channelsInUse) || !isPlainImageName(f[7])) {
        return false;
    }
    entry.id = indexField(f[0]);
    entry.time = indexField(f[1]);
    entry.port = indexField(f[3]);
    entry.radioType = static_cast<uint8_t>(type);
    entry.band = static_cast<uint8_t>(band);
    entry.fileName = std::string(f[7]);
    return true;
}

std::string formatLine(const HistoryEntry& e) {
    std::string line = e.id + '\t' + e.time + '\t' + historyKindName(e.kind) + '\t' + indexField(e.port) +
                       '\t' + std::to_string(e.radioType) + '\t' + std::to_string(e.band) + '\t' +
                       std::to_string(e.channelsInUse) + '\t' + e.fileName + '\n';
    return line;
}

int channelsInUse(const MemoryImage& image) {
    int count = 0;
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        count += image.isInUse(channel) ? 1 : 0;
    }
    return count;
}

struct Stamp {
    std::string fileStem; // "20261207-143001-123"
    std::string display;  // "2026-12-07 14:30:01.123"
};

Stamp stampOf(std::chrono::system_clock::time_point when) {
    const auto sinceEpoch = when.time_since_epoch();
    const std::time_t seconds =
        static_cast<std::time_t>(std::chrono::floor<std::chrono::seconds>(sinceEpoch).count());
    const int millis = static_cast<int>((std::chrono::floor<std::chrono::milliseconds>(sinceEpoch) -
                                         std::chrono::floor<std::chrono::seconds>(sinceEpoch))
                                            .count());
    std::tm t{};
    if (!platform::localTime(seconds, t)) {
        t = std::tm{};
        t.tm_year = 70;
        t.tm_mday = 1;
    }
    char stem[64];
    char display[64];
    std::snprintf(stem, sizeof stem, "%04d%02d%02d-%02d%02d%02d-%03d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, millis);
    std::snprintf(display, sizeof display, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, millis);
    return {stem, display};
}

} // namespace

const char* historyKindName(HistoryKind kind) {
    for (const KindName& k : kKindNames) {
        if (k.kind == kind) {
            return k.name;
        }
    }
    return "read";
}

const char* historyKindText(HistoryKind kind, Language language) {
    switch (kind) {
    case HistoryKind::BeforeWrite:
        return coreText(CoreText::HistoryBeforeWrite, language);
    case HistoryKind::Written:
        return coreText(CoreText::HistoryWritten, language);
    case HistoryKind::Read:
        break;
    }
    return coreText(CoreText::HistoryRead, language);
}

std::string historyTimeIso8601(const std::string& time) {
    std::tm t{};
    int millis = 0;
    int used = 0;
    if (std::sscanf(time.c_str(), "%4d-%2d-%2d %2d:%2d:%2d.%3d%n", &t.tm_year, &t.tm_mon, &t.tm_mday,
                    &t.tm_hour, &t.tm_min, &t.tm_sec, &millis, &used) != 7 ||
        static_cast<size_t>(used) != time.size() || time.size() != 23) {
        return {};
    }
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    long offset = 0;
    if (!platform::utcOffsetAt(t, offset)) {
        return {};
    }
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    char text[48];
    std::snprintf(text, sizeof text, "%.10sT%.12s%c%02ld:%02ld", time.c_str(), time.c_str() + 11,
                  offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

RadioHistory::RadioHistory(std::string folder, size_t limit)
    : m_folder(std::move(folder)), m_limit(std::max<size_t>(limit, 1)),
      m_clock([] { return std::chrono::system_clock::now(); }) {}

std::string RadioHistory::defaultFolder(const std::string& appName) {
    const std::string base = platform::userDataDir();
    if (base.empty()) {
        return {};
    }
    return (fs::path(base) / platform::appFolderName(appName) / "history").string();
}

std::string RadioHistory::indexPath() const {
    return (fs::path(m_folder) / kIndexName).string();
}

std::vector<HistoryEntry> RadioHistory::readIndex() const {
    std::vector<HistoryEntry> list;
    std::string text;
    if (m_folder.empty() || !isRegularFileInFolder(m_folder, kIndexName) ||
        !platform::readRegularFile(indexPath(), kMaxIndexBytes, text)) {
        return list;
    }
    std::set<std::string> ids;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        HistoryEntry entry;
        if (parseLine(std::string_view(text).substr(start, end - start), entry) && ids.count(entry.id) == 0 &&
            isRegularFileInFolder(m_folder, entry.fileName)) {
            ids.insert(entry.id);
            list.push_back(std::move(entry));
        }
        start = end + 1;
    }
    return list;
}

std::vector<HistoryEntry> RadioHistory::entries() const {
    std::vector<HistoryEntry> list = readIndex();
    std::reverse(list.begin(), list.end());
    return list;
}

HistoryResult RadioHistory::add(HistoryKind kind, const MemoryImage& image, const std::string& port,
                                HistoryEntry* added) {
    if (m_folder.empty()) {
        return {HistoryError::NoFolder, "no folder for the radio history (neither XDG_DATA_HOME nor HOME)"};
    }
    std::error_code error;
    fs::create_directories(m_folder, error);
    if (error || !fs::is_directory(m_folder)) {
        return {HistoryError::CreateFolder, m_folder + ": " + (error ? error.message() : "not a folder")};
    }

    const IndexLock lock((fs::path(m_folder) / kLockName).string());
    if (!lock.error().empty()) {
        return {HistoryError::WriteIndex, lock.error()};
    }
    std::vector<HistoryEntry> list = readIndex();
    std::set<std::string> taken;
    for (const HistoryEntry& e : list) {
        taken.insert(e.id);
    }

    // Two entries in the same millisecond (a backup and a quick failure, two programs) get a
    // sequence number after the time, so the id stays unique and keeps its time order. The
    // image's name is taken only where no file has it yet, so no add replaces another's image.
    const Stamp stamp = stampOf(m_clock());
    HistoryEntry entry;
    entry.time = stamp.display;
    entry.kind = kind;
    entry.port = indexField(port);
    entry.radioType = image.radioType();
    entry.band = image.band();
    entry.channelsInUse = channelsInUse(image);
    std::string imagePath;
    for (int sequence = 1;; ++sequence) {
        const std::string stem = stamp.fileStem + (sequence == 1 ? "" : "." + std::to_string(sequence));
        entry.id = stem + "-" + historyKindName(kind);
        entry.fileName = entry.id + kImageSuffix;
        imagePath = (fs::path(m_folder) / entry.fileName).string();
        if (taken.count(entry.id) != 0) {
            continue;
        }
        const DatFileResult saved = saveNewDatFile(imagePath, image);
        if (saved) {
            break;
        }
        struct stat st {};
        if (::lstat(imagePath.c_str(), &st) != 0 || sequence >= kMaxSequence) {
            return {HistoryError::WriteImage, imagePath + ": " + saved.detail};
        }
    }
    list.push_back(entry);

    std::vector<HistoryEntry> pruned;
    if (list.size() > m_limit) {
        const auto firstKept = list.end() - static_cast<std::ptrdiff_t>(m_limit);
        pruned.assign(list.begin(), firstKept);
        list.erase(list.begin(), firstKept);
    }

    std::string text = std::string(kIndexHeader) + "\n";
    for (const HistoryEntry& e : list) {
        text += formatLine(e);
    }
    // The index is replaced, never written through a link to somewhere else.
    struct stat st {};
    std::string reason =
        ::lstat(indexPath().c_str(), &st) == 0 && S_ISLNK(st.st_mode) ? "a symbolic link" : "";
    if (!reason.empty() || !platform::writeFileAtomically(indexPath(), text, reason)) {
        fs::remove(imagePath, error); // an image no index names would never be pruned
        return {HistoryError::WriteIndex, indexPath() + ": " + reason};
    }
    // Files go only once the index no longer names them, and only those no kept entry names.
    std::set<std::string> keptFiles;
    for (const HistoryEntry& e : list) {
        keptFiles.insert(e.fileName);
    }
    for (const HistoryEntry& e : pruned) {
        if (keptFiles.count(e.fileName) == 0) {
            fs::remove(fs::path(m_folder) / e.fileName, error);
        }
    }
    if (added) {
        *added = entry;
    }
    return {};
}

HistoryResult RadioHistory::load(const std::string& id, MemoryImage& image) const {
    for (const HistoryEntry& e : readIndex()) {
        if (e.id != id) {
            continue;
        }
        // The file is opened without following a link: a link put in its place after the
        // index was read must not make us load (and the user restore) another file.
        const std::string path = (fs::path(m_folder) / e.fileName).string();
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return {HistoryError::ReadImage, path + ": " + std::strerror(errno)};
        }
        struct stat st {};
        std::string bytes;
        const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        const bool read = regular && platform::readDescriptor(fd, image::kSize, bytes);
        const int readErrno = errno;
        ::close(fd);
        if (!regular || (!read && readErrno == EFBIG)) {
            return {HistoryError::DataFormat, path};
        }
        if (!read) {
            return {HistoryError::ReadImage, path + ": " + std::strerror(readErrno)};
        }
        if (!loadDatBytes(bytes, image)) {
            return {HistoryError::DataFormat, path};
        }
        return {};
    }
    return {HistoryError::NotFound, id};
}
