#pragma once

#include "channels/RadioModel.h"
#include "history/RadioHistory.h"
#include "image/MemoryImage.h"
#include "settings/ProgramSettings.h"
#include "settings/UserSettings.h"
#include "text/AsciiText.h"
#include "text/CoreTexts.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Exit statuses of radioprog; scripts rely on them.
enum class ExitStatus : int {
    Ok = 0,
    RadioFailed = 1, // the radio or the port failed, or the transfer was cancelled
    BadInput = 2,    // usage errors, unreadable or invalid files, refused values
    Differ = 1,      // diff: the images differ (as diff(1)); any trouble of diff is BadInput
};

// What every command shares: Program.ini, the per-user store, the output streams, and the
// file handling that turns every failure into one clear line on stderr. Program.ini is read
// only: the tool never writes it.
class CliContext {
public:
    CliContext(std::ostream& out, std::ostream& err);

    // Loads Program.ini from `path`, or from beside the executable when `path` is empty. A
    // given path that cannot be read is reported (false); a missing default leaves the
    // settings empty and only the commands that need them complain.
    bool loadSettings(const std::string& path);
    const ProgramIni& ini() const { return m_ini.ini(); }
    bool hasIni() const { return m_ini.values().isLoaded(); }
    // The Language of Program.ini, decided as the desktop program decides it.
    Language defaultLanguage() const { return m_ini.ini().language(); }
    // The per-user store of the remembered Type, Field and com values.
    ISettingsStore& userSettings() { return *m_userSettings; }

    // The radio history of this user and AppName ($XDG_DATA_HOME/<AppName>/history).
    RadioHistory history() const;

    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }
    // Writes "radioprog: <message>" to stderr and returns `status`.
    ExitStatus fail(ExitStatus status, const std::string& message);
    // The one wording of a refused KEY=VALUE: "KEY=VALUE: <what the key takes>".
    static std::string refusalText(const std::string& key, const std::string& value,
                                   const std::string& takes);
    // The one wording of what a failed command did to its file: "PATH is unchanged" when the
    // file was there, "no file was made" when it was not.
    static std::string keptFileText(const std::string& path, bool existed);

    // Loads an image file; reports missing files, directories, wrong sizes ("Data Format
    // Error") and read errors, and then returns false. "-" reads standard input, and a pipe is
    // read like a file, up to one byte more than an image; neither is taken `inPlace`, for a
    // command that saves the image back where it came from.
    bool loadImage(const std::string& path, MemoryImage& image, bool inPlace = false);
    // Saves atomically; reports a failure, blaming the folder when it is the cause, and saying
    // whether the old file is unchanged or no file was made. With `mustBeNew`, an existing
    // file is never replaced, also one that appears meanwhile. "-" writes the bytes to standard
    // output.
    bool saveImage(const std::string& path, const MemoryImage& image, bool mustBeNew = false);
    // Reads a whole text file, a pipe, or standard input ("-"), of at most `maxBytes`; reports
    // and returns false otherwise.
    bool readTextFile(const std::string& path, std::string& text, size_t maxBytes);
    // Refuses an output path that is a directory, whose folder does not exist, or that is a
    // symbolic link to nothing. "-" (standard output) passes.
    bool checkOutputPath(const std::string& path);
    // Refuses, before any work, an output that a save could not replace: a folder, a pipe or a
    // device, a file we may not write, a folder that is missing, is no folder or may not be
    // written.
    bool checkReplaceable(const std::string& path);

    // A file of a command and what the command calls it ("IMAGE.dat", "--trace").
    struct FileRole {
        std::string role;
        std::string path; // "" when not given; "-" is a standard stream, never the same file
    };
    // Refuses, before anything is read or written, an output that is the same file as an
    // input, as Program.ini, or as another output (also through a hard or symbolic link),
    // naming both.
    bool checkDistinctFiles(std::vector<FileRole> inputs, const std::vector<FileRole>& outputs);

    // Type, band and band limits of the image from Program.ini; reports and returns nullopt
    // when Program.ini gives no band for them, since every frequency would then be refused.
    std::optional<radiomodel::TypeAndBand> bandOf(const MemoryImage& image);
    // "136.00000 to 174.00000 MHz"; words that say so when min is above max.
    static std::string limitsText(BandLimits limits);

private:
    bool loadImageBytes(const std::string& path, MemoryImage& image);
    void reportDataFormat(const std::string& name, const std::string& held);

    std::ostream& m_out;
    std::ostream& m_err;
    ProgramSettings m_ini;
    std::string m_iniPath; // where Program.ini was looked for
    std::unique_ptr<UserSettings> m_userSettings;
};

// A whole decimal number from `min` to `max` with nothing else around it.
std::optional<long> parseWholeNumber(const std::string& text, long min, long max);
