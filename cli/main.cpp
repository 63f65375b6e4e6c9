// radioprog: the command line tool. Parses the arguments, loads the settings and runs one
// command; every failure ends as a message on stderr and an exit status (0, 1 or 2).

#include "CliContext.h"
#include "CommandLine.h"
#include "HelpText.h"
#include "ImageCommands.h"
#include "PrintCommand.h"
#include "RadioCommands.h"

#include <exception>
#include <iostream>

namespace {

ExitStatus dispatch(CliContext& ctx, const CommandLine& args) {
    const std::string& name = args.command();
    if (name == "new") {
        return runNew(ctx, args);
    }
    if (name == "show") {
        return runShow(ctx, args);
    }
    if (name == "read") {
        return runRead(ctx, args);
    }
    if (name == "write") {
        return runWrite(ctx, args);
    }
    if (name == "history") {
        return runHistory(ctx, args);
    }
    if (name == "restore") {
        return runRestore(ctx, args);
    }
    if (name == "channel") {
        return runChannel(ctx, args);
    }
    if (name == "set") {
        return runSet(ctx, args);
    }
    if (name == "export") {
        return runExport(ctx, args);
    }
    if (name == "import") {
        return runImport(ctx, args);
    }
    if (name == "print") {
        return runPrint(ctx, args);
    }
    return runPorts(ctx, args);
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

    CliContext ctx(std::cout, std::cerr);
    if (!ctx.loadSettings(args.iniPath())) {
        return static_cast<int>(ExitStatus::BadInput);
    }
    const ExitStatus status = dispatch(ctx, args);
    // A full disk or a closed pipe on standard output is a failure a script must see.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "radioprog: cannot write standard output\n";
        return static_cast<int>(ExitStatus::BadInput);
    }
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
