#pragma once

#include <string>

// Where the program finds its files. The only place besides the serial port that asks the
// operating system directly.
namespace platform {

// Directory of the running executable, without a trailing slash ("/" for the root). Falls
// back to the current directory when the executable's path cannot be read.
std::string executableDir();

// The folder of the files the programs ship with (Program.ini, translations, pictures, help),
// for programs in `programDir`: that folder when Program.ini is there (a build tree, or the
// program copied into one folder), otherwise <programDir>/../share/<kShareName> when Program.ini
// is there (an installation), otherwise `programDir`. No trailing slash.
constexpr const char* kShareName = "radio-programmer";
std::string shippedDataDir(const std::string& programDir = executableDir());

// Whether the file can be written by this process (it need not exist for a folder that takes
// new files).
bool isWritable(const std::string& path);

// Whether two paths name one file: the same device and inode when both exist (symbolic and hard
// links lead to their file), otherwise the same folder, links resolved, and the same name, so
// that two names for a file still to be made are recognised as well.
bool sameFile(const std::string& a, const std::string& b);

// Where the symbolic link at `path` leads when nothing is there; empty when `path` is no such
// dangling link.
std::string danglingLinkTarget(const std::string& path);

// The name AppName gives the user's own files and folders (settings, the user's copy of
// Program.ini, the history): AppName itself, or kDefaultAppName when it could not name one entry
// of a folder: empty, "." or "..", longer than 200 bytes, or holding a '/', a '\\' or a control
// byte.
constexpr const char* kDefaultAppName = "Program";
std::string appFolderName(const std::string& appName);

// Base folder for per-user settings: $XDG_CONFIG_HOME when it is set and absolute, otherwise
// $HOME/.config; empty when neither is available.
std::string userConfigDir();

// Base folder for per-user data files: $XDG_DATA_HOME when it is set and absolute, otherwise
// $HOME/.local/share; empty when neither is available.
std::string userDataDir();

} // namespace platform
