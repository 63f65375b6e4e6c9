#pragma once

#include <string>

// The texts of "radioprog --help" and "radioprog COMMAND --help", made from CommandTable.
namespace helptext {

// The overview: every command, the common options, the exit statuses and an example.
std::string overview();
// Everything about one command with an example; "" for an unknown name.
std::string command(const std::string& name);
// The one-line synopsis of a command, "usage: radioprog new IMAGE.dat [--type N] [--band N]".
std::string usage(const std::string& name);

} // namespace helptext
