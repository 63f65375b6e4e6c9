// radioprog: the command line tool. Parses the arguments, loads the settings and runs one
// command; every failure ends as a message on stderr and an exit status (0, 1 or 2).

#include "CliContext.h"
#include "CommandLine.h"
#include "CommandTable.h"
#include "HelpText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <sstream>

namespace {

// Whether what the command makes goes to standard output (a listing, a report, a file named
// "-"), rather than to files and the radio, with standard output only saying what was done.
bool workGoesToStdout(const CommandEntry& command, const CommandLine& args) {
    bool toStdout = command.work == Work::Printed;
    for (const OptionSpec& option : command.options) {
        toStdout = toStdout || (option.argument == Argument::Output && args.value(option.name) == "-");
    }
    const std::vector<std::string>& operands = args.operands();
    for (size_t i = 0; i < command.operands.size() && i < operands.size(); ++i) {
        toStdout = toStdout || (command.operands[i].argument == Argument::Output && operands[i] == "-");
    }
    return toStdout;
}

int run(int argc, char** argv) {
    CommandLine args;
    std::string error;
    if (!args.parse(argc, argv, error)) {
        const std::string& name = args.command();
        std::cerr << "radioprog: " << (name.empty() ? "" : name + ": ") << error << "\n"
                  << helptext::usage(name) << "\n"
                  << "Try 'radioprog " << (name.empty() ? "" : name + " ") << "--help'.\n";
        return static_cast<int>(ExitStatus::BadInput);
    }
    if (args.wantsVersion()) {
        std::cout << "radioprog " << RADIO_VERSION << "\n";
        return 0;
    }
    const bool helpCommand = args.command() == "help";
    if (args.wantsHelp() || helpCommand) {
        const std::string topic =
            helpCommand ? (args.operands().empty() ? "" : args.operands()[0]) : args.command();
        const std::string text =
            topic.empty() || topic == "help" ? helptext::overview() : helptext::command(topic);
        if (text.empty()) {
            std::cerr << "radioprog: help: unknown command '" << topic << "'\n";
            return static_cast<int>(ExitStatus::BadInput);
        }
        std::cout << text;
        return 0;
    }

    // A report of work done elsewhere is held until the work is over: when standard output
    // cannot take it, the work still counts and the report goes to stderr instead.
    // parse() took only a known command, and "help" was answered above.
    const CommandEntry& command = *CommandTable::find(args.command());
    const bool stdoutIsWork = workGoesToStdout(command, args);
    std::ostringstream report;
    CliContext ctx(stdoutIsWork ? static_cast<std::ostream&>(std::cout) : report, std::cerr);
    if (!ctx.loadSettings(args.iniPath())) {
        return static_cast<int>(ExitStatus::BadInput);
    }
    const ExitStatus status = command.run(ctx, args);
    errno = 0;
    std::cout << report.str();
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return static_cast<int>(status);
    }
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : std::string();
    if (stdoutIsWork) {
        // A full disk or a closed pipe lost what the command was run for: a script must see it,
        // also after a diff that found differences (1 would read as an answer).
        std::cerr << "radioprog: cannot write standard output" << reason << "\n";
        return static_cast<int>(ExitStatus::BadInput);
    }
    std::cerr << "radioprog: warning: cannot write standard output" << reason
              << (report.str().empty() ? "\n" : "; done: " + report.str());
    return static_cast<int>(status);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "radioprog: unexpected failure: " << e.what() << "; no file was changed\n";
    } catch (...) {
        std::cerr << "radioprog: unexpected failure; no file was changed\n";
    }
    return static_cast<int>(ExitStatus::BadInput);
}
