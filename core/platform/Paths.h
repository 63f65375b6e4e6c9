#pragma once

#include <string>

// Where the program finds its files. The only place besides the serial port that asks the
// operating system directly.
namespace platform {

// Directory of the running executable, without a trailing slash ("/" for the root). Falls
// back to the current directory when the executable's path cannot be read.
std::string executableDir();

// Base folder for per-user settings: $XDG_CONFIG_HOME when it is set and absolute, otherwise
// $HOME/.config; empty when neither is available.
std::string userConfigDir();

// Base folder for per-user data files: $XDG_DATA_HOME when it is set and absolute, otherwise
// $HOME/.local/share; empty when neither is available.
std::string userDataDir();

} // namespace platform
