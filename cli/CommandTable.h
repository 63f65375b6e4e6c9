#pragma once

#include "CliContext.h"

#include <string>
#include <vector>

class CommandLine;

// What an option takes after it, or what an operand is.
enum class Argument {
    None,   // an option alone: --json
    Value,  // a value (--port COM1, --port=COM1); an operand that is read, or edited in place
    Values, // a value, and the option may be given again (--port COM1 --port COM2)
    Output, // a file the command writes, where "-" is a standard stream
};

struct OptionSpec {
    const char* name; // "--port"
    Argument argument;
};

struct OperandSpec {
    const char* name; // "IMAGE.dat", as the usage errors name it
    Argument argument;
};

// Whether the last operand may be given again and again (KEY=VALUE...).
enum class Repeat { None, Last };

// Where the work of a command goes.
enum class Work {
    // To files or the radio: standard output only says what was done, unless an Output
    // argument is "-".
    Saved,
    // What the command makes is what it prints (a listing), whatever its arguments.
    Printed,
};

// One command of radioprog, declared once: the parser, the help texts and the dispatch read it,
// and tests/packaging/validate.sh holds the manual page and the bash completion to it.
struct CommandEntry {
    const char* name;
    // Runs the command; nullptr for "help", which is answered before the settings are loaded.
    ExitStatus (*run)(CliContext& ctx, const CommandLine& args);
    std::vector<OptionSpec> options;
    // In order; the first `required` must be given.
    std::vector<OperandSpec> operands;
    size_t required;
    Repeat repeat;
    Work work;
    // Its line of "radioprog --help": the arguments and what it does; a command without a
    // summary is not listed there.
    const char* arguments;
    const char* summary;
    // "radioprog new IMAGE.dat [--type N] [--band N]"; nullptr for the general usage line.
    const char* synopsis;
    // Everything about the command and an example, after its synopsis in "radioprog CMD --help".
    std::string help;
};

class CommandTable {
public:
    // The commands in the order "radioprog --help" lists them.
    static const std::vector<CommandEntry>& commands();
    // nullptr for a name that is no command.
    static const CommandEntry* find(const std::string& name);
    // The options every command takes (--ini, --help, --version).
    static const std::vector<OptionSpec>& commonOptions();
};
