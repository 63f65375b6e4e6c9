#include "platform/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define RADIO_HAVE_READLINK 1
#endif

namespace platform {

namespace {

std::string pathOfExecutable() {
#ifdef RADIO_HAVE_READLINK
    // readlink neither terminates nor reports truncation, so grow the buffer until the link
    // fits with room to spare.
    std::vector<char> buffer(256);
    while (buffer.size() <= 65536) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
#endif
    return {};
}

} // namespace

std::string executableDir() {
    const std::filesystem::path exe = pathOfExecutable();
    if (exe.is_absolute() && exe.has_parent_path()) {
        return exe.parent_path().string();
    }
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

std::string shippedDataDir(const std::string& programDir) {
    const std::filesystem::path exeDir = std::filesystem::path(programDir).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_regular_file(exeDir / "Program.ini", error)) {
        return exeDir.string();
    }
    const std::filesystem::path shared = (exeDir / ".." / "share" / kShareName).lexically_normal();
    if (std::filesystem::is_regular_file(shared / "Program.ini", error)) {
        return shared.string();
    }
    return exeDir.string();
}

bool isWritable(const std::string& path) {
#ifdef RADIO_HAVE_READLINK
    if (::access(path.c_str(), F_OK) == 0) {
        return ::access(path.c_str(), W_OK) == 0;
    }
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return ::access(parent.empty() ? "." : parent.c_str(), W_OK | X_OK) == 0;
#else
    (void)path;
    return true;
#endif
}

bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool aExists = fs::exists(a, ec);
    const bool bExists = fs::exists(b, ec);
    if (aExists || bExists) {
        return aExists && bExists && fs::equivalent(a, b, ec) && !ec;
    }
    const auto resolved = [](const std::string& path) {
        std::error_code error;
        const fs::path absolute = fs::absolute(path, error).lexically_normal();
        const fs::path result = fs::weakly_canonical(absolute, error);
        return error ? absolute : result;
    };
    return resolved(a) == resolved(b);
}

std::string danglingLinkTarget(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec)) || fs::exists(path, ec)) {
        return {};
    }
    return fs::read_symlink(path, ec).string();
}

std::string appFolderName(const std::string& appName) {
    // A file name holds 255 bytes at most, and ".ini" or a suffix of the history follows.
    constexpr size_t kMaxBytes = 200;
    const bool unusable = appName.empty() || appName.size() > kMaxBytes || appName == "." ||
                          appName == ".." || std::any_of(appName.begin(), appName.end(), [](char c) {
                              const auto byte = static_cast<unsigned char>(c);
                              return byte == '/' || byte == '\\' || byte < 0x20 || byte == 0x7F;
                          });
    return unusable ? std::string(kDefaultAppName) : appName;
}

std::string userConfigDir() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return (std::filesystem::path(home) / ".config").string();
    }
    return {};
}

std::string userDataDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return (std::filesystem::path(home) / ".local" / "share").string();
    }
    return {};
}

} // namespace platform
