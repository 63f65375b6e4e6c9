#include "CliContext.h"

#include "channels/Formats.h"
#include "image/DatFile.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const char kIniName[] = "Program.ini";

// "-" on the command line: standard input where a file is read, standard output where one is
// written.
const char kStandardStream[] = "-";

std::string streamName(const std::string& path, const char* direction) {
    return path == kStandardStream ? std::string("standard ") + direction : path;
}

// Reads standard input for "-", otherwise the file or pipe at `path`; errno tells a failure.
bool readInput(const std::string& path, size_t maxBytes, std::string& bytes) {
    return path == kStandardStream ? platform::readDescriptor(STDIN_FILENO, maxBytes, bytes)
                                   : platform::readFileOrPipe(path, maxBytes, bytes);
}

// Why `path` cannot be replaced, naming the folder when the folder is at fault.
std::string replaceProblemText(const std::string& path, const platform::ReplaceCheck& check) {
    const std::string reason = check.detail.empty() ? std::string() : " (" + check.detail + ")";
    switch (check.problem) {
    case platform::ReplaceProblem::TargetIsFolder:
        return path + " is a directory; give a file name";
    case platform::ReplaceProblem::TargetNotRegular:
        return "cannot write " + path +
               ": it is not a regular file (a pipe or a device), and only a "
               "regular file is replaced";
    case platform::ReplaceProblem::TargetNotWritable:
        return "cannot write " + path + ": the file may not be replaced" + reason;
    case platform::ReplaceProblem::FolderMissing:
        return "cannot write " + path + ": the folder " + check.folder + " does not exist";
    case platform::ReplaceProblem::FolderNotFolder:
        return "cannot write " + path + ": " + check.folder + " is not a folder";
    case platform::ReplaceProblem::FolderNotWritable:
        return "cannot write " + path + ": the folder " + check.folder + " may not be written" + reason;
    case platform::ReplaceProblem::None:
        break;
    }
    return {};
}
} // namespace

std::optional<long> parseWholeNumber(const std::string& text, long min, long max) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

CliContext::CliContext(std::ostream& out, std::ostream& err)
    : m_out(out), m_err(err), m_userSettings(std::make_unique<UserSettings>("")) {}

bool CliContext::loadSettings(const std::string& path) {
    std::error_code ec;
    if (!path.empty()) {
        m_iniPath = path;
        if (!fs::exists(path, ec)) {
            fail(ExitStatus::BadInput,
                 "cannot read the settings file " + path + ": " + std::strerror(ENOENT));
            return false;
        }
        if (fs::is_directory(path, ec)) {
            fail(ExitStatus::BadInput, "the settings file " + path + " is a directory");
            return false;
        }
        if (!fs::is_regular_file(path, ec)) {
            fail(ExitStatus::BadInput,
                 "the settings file " + path + " is not a regular file (a pipe or a device)");
            return false;
        }
        // Only the named file: no copy of the user's lies over it. The tool never writes it.
        if (!m_ini.load(path, "", true)) {
            fail(ExitStatus::BadInput, "cannot read the settings file " + path + ": " + std::strerror(errno));
            return false;
        }
    } else {
        // The desktop program's Program.ini, with the values it stored for this user (over
        // nothing when the file is missing). A missing file is taken as one the program does not
        // write, so that loading creates nothing: the tool leaves the program's folder alone.
        m_iniPath = platform::shippedDataDir() + "/" + kIniName;
        m_ini.load(m_iniPath, platform::userConfigDir(),
                   fs::is_regular_file(m_iniPath, ec) && platform::isWritable(m_iniPath));
    }
    m_userSettings = std::make_unique<UserSettings>(m_ini.ini().appName());
    return true;
}

RadioHistory CliContext::history() const {
    return RadioHistory(RadioHistory::defaultFolder(m_ini.ini().appName()));
}

ExitStatus CliContext::fail(ExitStatus status, const std::string& message) {
    m_err << "radioprog: " << message << "\n";
    m_err.flush();
    return status;
}

bool CliContext::loadImage(const std::string& path, MemoryImage& image, bool inPlace) {
    std::error_code ec;
    const fs::file_status status =
        path == kStandardStream ? fs::file_status(fs::file_type::fifo) : fs::status(path, ec);
    if (!fs::exists(status)) {
        fail(ExitStatus::BadInput, path + ": no such file (make one with 'radioprog new " + path +
                                       "' or 'radioprog read --port PORT --output " + path + "')");
        return false;
    }
    if (fs::is_directory(status)) {
        fail(ExitStatus::BadInput, path + " is a directory, not an image file");
        return false;
    }
    if (fs::is_fifo(status) && inPlace) {
        fail(ExitStatus::BadInput,
             (path == kStandardStream ? "standard input (-)" : path + ", a pipe,") +
                 std::string(" cannot be changed in place: give the image file's name"));
        return false;
    }
    if (fs::is_fifo(status)) {
        return loadImageBytes(path, image);
    }
    if (!fs::is_regular_file(status)) {
        fail(ExitStatus::BadInput, path + " is not a regular file (a pipe or a device), not an image file");
        return false;
    }
    const DatFileResult result = loadDatFile(path, image);
    switch (result.error) {
    case DatFileError::None:
        return true;
    case DatFileError::DataFormat: {
        const uintmax_t size = fs::file_size(path, ec);
        reportDataFormat(path, ec ? std::string() : std::to_string(size));
        return false;
    }
    case DatFileError::Open:
    case DatFileError::Read:
    case DatFileError::Write:
        break;
    }
    fail(ExitStatus::BadInput, "cannot read " + path + ": " + result.detail);
    return false;
}

bool CliContext::loadImageBytes(const std::string& path, MemoryImage& image) {
    const std::string name = streamName(path, "input");
    std::string bytes;
    if (!readInput(path, image::kSize, bytes)) {
        if (errno == EFBIG) {
            reportDataFormat(name, "more");
        } else {
            fail(ExitStatus::BadInput, "cannot read " + name + ": " + std::strerror(errno));
        }
        return false;
    }
    if (!loadDatBytes(bytes, image)) {
        reportDataFormat(name, std::to_string(bytes.size()));
        return false;
    }
    return true;
}

void CliContext::reportDataFormat(const std::string& name, const std::string& held) {
    fail(ExitStatus::BadInput, name + ": " + dataFormatErrorText(Language::English) +
                                   " (an image file holds exactly " + std::to_string(image::kSize) +
                                   " bytes" + (held.empty() ? std::string() : "; this one holds " + held) +
                                   ")");
}

bool CliContext::saveImage(const std::string& path, const MemoryImage& image, bool mustBeNew) {
    if (path == kStandardStream) {
        m_out.write(reinterpret_cast<const char*>(image.data()), image::kSize);
        if (!m_out.flush()) {
            fail(ExitStatus::BadInput, "cannot write the image to standard output");
            return false;
        }
        return true;
    }
    std::error_code ec;
    const bool existed = fs::exists(fs::symlink_status(path, ec));
    const DatFileResult result = mustBeNew ? saveNewDatFile(path, image) : saveDatFile(path, image);
    if (result) {
        return true;
    }
    // The folder may have gone or been locked meanwhile; then it is the one to name.
    const platform::ReplaceCheck now = platform::checkReplaceable(path);
    const std::string what = now.folderIsTheProblem() ? replaceProblemText(path, now)
                                                      : "cannot write " + path + ": " + result.detail;
    fail(ExitStatus::BadInput,
         what + "; " + keptFileText(path, existed && fs::exists(fs::symlink_status(path, ec))));
    return false;
}

std::string CliContext::refusalText(const std::string& key, const std::string& value,
                                    const std::string& takes) {
    return key + "=" + value + ": " + takes;
}

std::string CliContext::keptFileText(const std::string& path, bool existed) {
    return existed ? path + " is unchanged" : "no file was made";
}

bool CliContext::readTextFile(const std::string& path, std::string& text, size_t maxBytes) {
    std::error_code ec;
    const fs::file_status status =
        path == kStandardStream ? fs::file_status(fs::file_type::fifo) : fs::status(path, ec);
    if (!fs::exists(status)) {
        fail(ExitStatus::BadInput, path + ": no such file");
        return false;
    }
    if (fs::is_directory(status)) {
        fail(ExitStatus::BadInput, path + " is a directory, not a file");
        return false;
    }
    const std::string name = streamName(path, "input");
    if (readInput(path, maxBytes, text)) {
        return true;
    }
    if (errno == EFBIG) {
        fail(ExitStatus::BadInput, name + " is larger than " + std::to_string(maxBytes / 1024) +
                                       " KiB: too large for a channel list");
    } else if (errno == EINVAL) {
        fail(ExitStatus::BadInput, path + " is not a regular file or a pipe (a device)");
    } else {
        fail(ExitStatus::BadInput, "cannot read " + name + ": " + std::strerror(errno));
    }
    return false;
}

bool CliContext::checkOutputPath(const std::string& path) {
    if (path == kStandardStream) {
        return true;
    }
    const std::string target = platform::danglingLinkTarget(path);
    if (!target.empty()) {
        fail(ExitStatus::BadInput, path + " is a symbolic link to " + target +
                                       ", which does not exist; name the file itself or remove the link");
        return false;
    }
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        fail(ExitStatus::BadInput, path + " is a directory; give a file name");
        return false;
    }
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        fail(ExitStatus::BadInput,
             "cannot write " + path + ": the folder " + folder.string() + " does not exist");
        return false;
    }
    return true;
}

bool CliContext::checkDistinctFiles(std::vector<FileRole> inputs, const std::vector<FileRole>& outputs) {
    if (hasIni()) {
        inputs.push_back({"Program.ini", m_iniPath});
    }
    const auto isFile = [](const FileRole& f) { return !f.path.empty() && f.path != kStandardStream; };
    for (const FileRole& output : outputs) {
        for (const FileRole& other : inputs) {
            if (isFile(output) && isFile(other) && platform::sameFile(output.path, other.path)) {
                fail(ExitStatus::BadInput, output.path + " (" + output.role + ") is the same file as " +
                                               other.path + " (" + other.role +
                                               "); nothing was done: give the output a file of its own");
                return false;
            }
        }
        inputs.push_back(output); // the outputs after it must not be this one either
    }
    return true;
}

bool CliContext::checkReplaceable(const std::string& path) {
    const platform::ReplaceCheck check = platform::checkReplaceable(path);
    if (!check) {
        fail(ExitStatus::BadInput, replaceProblemText(path, check));
    }
    return bool(check);
}

std::optional<radiomodel::TypeAndBand> CliContext::bandOf(const MemoryImage& image) {
    const radiomodel::TypeAndBand band = radiomodel::describe(image, m_ini.ini());
    if (!m_ini.shippedLoaded()) {
        fail(ExitStatus::BadInput, "the band limits come from Program.ini, and there is none at " +
                                       m_iniPath + "; give one with --ini PATH");
        return std::nullopt;
    }
    if (band.bandName.empty()) {
        const IniKey bands = ProgramIni::bandListKey(band.type);
        fail(ExitStatus::BadInput, "Program.ini (" + m_iniPath + ") lists no band for type " +
                                       std::to_string(band.type) + " (key " + bands.key + " of [" +
                                       bands.section +
                                       "]); choose a listed type with 'radioprog set IMAGE.dat type=N'");
        return std::nullopt;
    }
    return band;
}

std::string CliContext::limitsText(BandLimits limits) {
    if (limits.min10Hz > limits.max10Hz) {
        return "no frequency the image can hold";
    }
    const auto mhz = [](int32_t f) { return formatFrequency(static_cast<uint32_t>(std::max(f, 0))); };
    return mhz(limits.min10Hz) + " to " + mhz(limits.max10Hz) + " MHz";
}
