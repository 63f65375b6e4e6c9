#include "CommandLine.h"

#include "CommandTable.h"

namespace {

const OptionSpec* findOption(const std::vector<OptionSpec>& options, const std::string& name) {
    for (const OptionSpec& option : options) {
        if (name == option.name) {
            return &option;
        }
    }
    return nullptr;
}

// An option that takes a value with some command takes the next word, whatever it looks like,
// before the command is known.
bool takesValueInSomeCommand(const std::string& name) {
    const OptionSpec* common = findOption(CommandTable::commonOptions(), name);
    bool takesValue = common && common->argument != Argument::None;
    for (const CommandEntry& command : CommandTable::commands()) {
        const OptionSpec* option = findOption(command.options, name);
        takesValue = takesValue || (option && option->argument != Argument::None);
    }
    return takesValue;
}

} // namespace

std::string CommandLine::value(const std::string& option) const {
    const auto it = m_options.find(option);
    return it == m_options.end() ? std::string() : it->second;
}

std::vector<std::string> CommandLine::values(const std::string& option) const {
    const auto it = m_repeated.find(option);
    return it == m_repeated.end() ? std::vector<std::string>() : it->second;
}

bool CommandLine::parse(int argc, const char* const* argv, std::string& error) {
    // Options are collected first and checked against the command once it is known.
    struct Given {
        std::string name;
        std::string value;
        bool hasValue;
        bool valueFromNext;
    };
    std::vector<Given> given;
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        Given g{arg == "-h" ? "--help" : arg, "", false, false};
        const size_t equals = g.name.find('=');
        if (g.name.rfind("--", 0) == 0 && equals != std::string::npos) {
            g.value = g.name.substr(equals + 1);
            g.name.resize(equals);
            g.hasValue = true;
        }
        if (takesValueInSomeCommand(g.name) && !g.hasValue && i + 1 < argc) {
            g.value = argv[++i];
            g.hasValue = true;
            g.valueFromNext = true;
        }
        given.push_back(std::move(g));
    }

    if (!words.empty()) {
        m_command = words.front();
        m_operands.assign(words.begin() + 1, words.end());
    }
    const CommandEntry* syntax = m_command.empty() ? nullptr : CommandTable::find(m_command);

    for (const Given& g : given) {
        if (g.name == "--help" || g.name == "--version") {
            if (g.hasValue && !g.valueFromNext) {
                error = g.name + " takes no value";
                return false;
            }
            (g.name == "--help" ? m_help : m_version) = true;
        }
    }
    if (!m_command.empty() && !syntax) {
        error = "unknown command '" + m_command + "'";
        m_command.clear();
        return false;
    }
    if (!syntax) {
        if (!m_help && !m_version) {
            error = "no command given";
            return false;
        }
        return true;
    }

    for (const Given& g : given) {
        if (g.name == "--help" || g.name == "--version") {
            continue;
        }
        const OptionSpec* option = findOption(CommandTable::commonOptions(), g.name);
        option = option ? option : findOption(syntax->options, g.name);
        if (!option) {
            error = "'" + g.name + "' is not an option of '" + m_command + "'";
            return false;
        }
        const bool takesValue = option->argument != Argument::None;
        if (takesValue && !g.hasValue) {
            error = g.name + " needs a value";
            return false;
        }
        if (!takesValue && g.hasValue) {
            error = g.name + " takes no value";
            return false;
        }
        if ((m_options.count(g.name) && option->argument != Argument::Values) ||
            (g.name == "--ini" && !m_iniPath.empty())) {
            error = g.name + " is given twice";
            return false;
        }
        if (takesValue && g.value.empty()) {
            error = g.name + " needs a value, not an empty text";
            return false;
        }
        if (g.name == "--ini") {
            m_iniPath = g.value;
        } else {
            m_options.emplace(g.name, g.value);
            m_repeated[g.name].push_back(g.value);
        }
    }

    if (m_help || m_version) {
        return true;
    }
    if (m_operands.size() < syntax->required) {
        error = "missing " + std::string(syntax->operands[m_operands.size()].name);
        return false;
    }
    if (syntax->repeat == Repeat::None && m_operands.size() > syntax->operands.size()) {
        error = "unexpected argument '" + m_operands[syntax->operands.size()] + "'";
        return false;
    }
    return true;
}
