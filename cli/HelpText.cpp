#include "HelpText.h"

#include "CommandTable.h"

namespace helptext {

namespace {

// The overview around its list of commands.
const char kOverviewStart[] =
    "usage: radioprog COMMAND [ARGUMENTS] [--ini PATH]\n"
    "\n"
    "Programs the sixteen-channel radio from scripts: keeps its memory in a 1024-byte .dat\n"
    "image, edits channels and options, moves channel lists in and out as CSV, and reads and\n"
    "writes the radio over a serial cable.\n"
    "\n"
    "Commands:\n";

const char kOverviewEnd[] =
    "\n"
    "Options of every command:\n"
    "  --ini PATH   the Program.ini to use (radio types, bands, COMn devices);\n"
    "               default: the one beside the program\n"
    "  --help       explain a command and its options: radioprog channel --help\n"
    "  --version    print the version\n"
    "\n"
    "Exit status: 0 done; 1 the radio or the port failed (diff: the images differ; check:\n"
    "there are findings); 2 bad arguments or bad input (diff, check: any trouble).\n"
    "A command that fails leaves its files as they were.\n"
    "\n"
    "A file name - is standard input where a file is read and standard output where one is\n"
    "written (--trace - logs to standard error); channel, set and import change their image\n"
    "in place and need its file name. An output that is the same file as an input or as\n"
    "another output is refused before anything is done.\n"
    "\n"
    "Example:\n"
    "  radioprog new club.dat\n"
    "  radioprog channel club.dat 1 rx=145.500 rx-tone=88.5 tx-tone=88.5\n"
    "  radioprog write --port COM1 club.dat\n";

// The text and blanks up to `width`, at least one.
std::string column(const std::string& text, size_t width) {
    return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
}

} // namespace

std::string overview() {
    std::string text = kOverviewStart;
    for (const CommandEntry& command : CommandTable::commands()) {
        if (command.summary) {
            // "  new      IMAGE.dat [--type N] [--band N]          write a new image"
            text += "  " + column(command.name, 9) + column(command.arguments, 41) + command.summary + "\n";
        }
    }
    return text + kOverviewEnd;
}

std::string command(const std::string& name) {
    const CommandEntry* entry = CommandTable::find(name);
    return entry && entry->synopsis ? std::string("usage: ") + entry->synopsis + "\n\n" + entry->help
                                    : std::string();
}

std::string usage(const std::string& name) {
    const CommandEntry* entry = CommandTable::find(name);
    return entry && entry->synopsis ? std::string("usage: ") + entry->synopsis
                                    : std::string("usage: radioprog COMMAND [ARGUMENTS]");
}

} // namespace helptext
