#pragma once

#include <map>
#include <string>
#include <vector>

// The arguments of one run of radioprog: the command, its operands and its options.
//
// Options may come before or after the command and take their value as "--name VALUE" or
// "--name=VALUE"; "--" ends the options, so that a file called "-x" can be named. Which
// commands there are and what they take is CommandTable's; every command takes --ini PATH,
// --help (-h) and --version.
class CommandLine {
public:
    // False on a usage error, with the reason in `error`; command() is still set when the
    // command was recognised, so that the caller can point at its help.
    bool parse(int argc, const char* const* argv, std::string& error);

    // "" when none was given; "help" for "radioprog help [COMMAND]".
    const std::string& command() const { return m_command; }
    const std::vector<std::string>& operands() const { return m_operands; }
    bool has(const std::string& option) const { return m_options.count(option) != 0; }
    // The option's value, "" when it was not given; the first one of an option given again.
    std::string value(const std::string& option) const;
    // Every value of an option that may be given again, in the order given.
    std::vector<std::string> values(const std::string& option) const;

    bool wantsHelp() const { return m_help; }
    bool wantsVersion() const { return m_version; }
    const std::string& iniPath() const { return m_iniPath; }

private:
    std::string m_command;
    std::vector<std::string> m_operands;
    std::map<std::string, std::string> m_options;
    std::map<std::string, std::vector<std::string>> m_repeated;
    std::string m_iniPath;
    bool m_help = false;
    bool m_version = false;
};
