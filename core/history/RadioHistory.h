#pragma once

#include "image/MemoryImage.h"
#include "text/CoreTexts.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What an image in the history is.
enum class HistoryKind {
    Read,        // read from the radio at the user's request
    BeforeWrite, // what the radio held just before a write (the backup)
    Written,     // what a completed write put into the radio
};

// The word that names a kind in file names, the index and the command line: "read",
// "before-write", "written".
const char* historyKindName(HistoryKind kind);
// The kind as the user reads it: "Read", "Before write", "Written" or their Chinese twins.
const char* historyKindText(HistoryKind kind, Language language);

// An entry's time ("2026-12-07 14:30:01.123", local) in ISO 8601 with the offset from UTC the
// user's time zone had then: "2026-12-07T14:30:01.123+01:00". "" when `time` is not in that
// form (a hand-edited index).
std::string historyTimeIso8601(const std::string& time);

enum class HistoryError {
    None,
    NoFolder,     // no per-user data folder (neither XDG_DATA_HOME nor HOME)
    CreateFolder, // the history folder cannot be created
    WriteImage,   // the image file cannot be written
    WriteIndex,   // the index cannot be rewritten
    NotFound,     // no entry with that id, or its file has gone
    ReadImage,    // the entry's file cannot be read
    DataFormat,   // the entry's file is not a 1024-byte image
};

struct HistoryResult {
    HistoryError error = HistoryError::None;
    std::string detail; // the system's reason, or the path concerned
    explicit operator bool() const { return error == HistoryError::None; }
};

struct HistoryEntry {
    std::string id;   // stable and unique within the folder; the image's file name without ".dat"
    std::string time; // local time of the transfer, "2026-12-07 14:30:01.123"
    HistoryKind kind = HistoryKind::Read;
    std::string port; // the device the transfer used
    uint8_t radioType = 0;
    uint8_t band = 0;
    int channelsInUse = 0; // 0..16
    std::string fileName;  // inside the history folder
};

// The images read from and written to the radio, kept per user so that an overwritten radio
// can be put back. Every image is a .dat file in one folder, named by time and kind
// ("20261207-143001-123-read.dat"); a small index lists them, oldest first, and is replaced
// atomically on every change. Past the limit the oldest entries and their files go.
//
// The folder may be shared by several programs of the same user; the index is read afresh for
// every call. Adds may run at once in several threads and processes: each holds a lock file in
// the folder from reading the index to replacing it, and takes its image's name only where no
// file has it. A damaged or foreign index never fails a call: lines that cannot be read are
// skipped, as are entries whose file has gone or is not a plain name of a regular file in the
// folder (a link is not followed); control characters and bytes that are no UTF-8 in the texts
// are replaced. A pruned entry's file goes only when no kept entry names it.
class RadioHistory {
public:
    static constexpr size_t kDefaultLimit = 500;

    // Keeps the history in `folder`, which is created on the first add. An empty folder makes
    // every add fail with NoFolder (the caller reports it once and goes on).
    explicit RadioHistory(std::string folder, size_t limit = kDefaultLimit);

    // <user data folder>/<appName>/history, where the user data folder is $XDG_DATA_HOME or
    // ~/.local/share, and the folder of appName is named by platform::appFolderName. Empty when
    // there is no user data folder.
    static std::string defaultFolder(const std::string& appName);

    const std::string& folder() const { return m_folder; }

    // Stores `image` (all 1024 bytes) as a new entry; `added`, when given, receives it.
    HistoryResult add(HistoryKind kind, const MemoryImage& image, const std::string& port,
                      HistoryEntry* added = nullptr);
    // Newest first.
    std::vector<HistoryEntry> entries() const;
    // Loads the image of entry `id`, never through a link; `image` changes only on success.
    HistoryResult load(const std::string& id, MemoryImage& image) const;

    // The clock add() stamps entries with; tests set a fixed one.
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    std::string indexPath() const;
    // The index as stored, oldest first, without the lines that cannot be read and the
    // entries whose file has gone.
    std::vector<HistoryEntry> readIndex() const;

    std::string m_folder;
    size_t m_limit;
    Clock m_clock;
};
