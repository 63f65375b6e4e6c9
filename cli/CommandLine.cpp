#include "CommandLine.h"

#include <algorithm>

namespace {

struct OptionSyntax {
    const char* name;
    bool takesValue;
};

struct CommandSyntax {
    const char* name;
    std::vector<OptionSyntax> options;
    // Operand names in order; the last one repeats when `repeats` is set.
    std::vector<const char*> operands;
    size_t required;
    bool repeats;
};

const std::vector<CommandSyntax>& commandSyntaxes() {
    static const std::vector<CommandSyntax> syntaxes = {
        {"new", {{"--type", true}, {"--band", true}}, {"IMAGE.dat"}, 1, false},
        {"show", {{"--json", false}, {"--lang", true}}, {"IMAGE.dat"}, 1, false},
        {"read",
         {{"--port", true}, {"--output", true}, {"--retries", true}, {"--trace", true}},
         {},
         0,
         false},
        {"write",
         {{"--port", true},
          {"--retries", true},
          {"--no-backup", false},
          {"--no-verify", false},
          {"--trace", true},
          {"--force", false}},
         {"IMAGE.dat"},
         1,
         false},
        {"history", {{"--json", false}}, {}, 0, false},
        {"restore",
         {{"--port", true},
          {"--retries", true},
          {"--no-backup", false},
          {"--no-verify", false},
          {"--trace", true}},
         {"ID"},
         1,
         false},
        {"channel", {{"--delete", false}}, {"IMAGE.dat", "N", "FIELD=VALUE"}, 2, true},
        {"set", {}, {"IMAGE.dat", "KEY=VALUE"}, 2, true},
        {"export", {}, {"IMAGE.dat", "CHANNELS.csv"}, 2, false},
        {"import", {}, {"CHANNELS.csv", "IMAGE.dat"}, 2, false},
        {"ports", {{"--json", false}, {"--watch", false}}, {}, 0, false},
        {"print", {{"--pdf", true}, {"--lang", true}}, {"IMAGE.dat"}, 1, false},
        {"help", {}, {"COMMAND"}, 0, false},
    };
    return syntaxes;
}

const CommandSyntax* findCommand(const std::string& name) {
    for (const CommandSyntax& syntax : commandSyntaxes()) {
        if (name == syntax.name) {
            return &syntax;
        }
    }
    return nullptr;
}

} // namespace

const std::vector<std::string>& CommandLine::commandNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const CommandSyntax& syntax : commandSyntaxes()) {
            if (std::string(syntax.name) != "help") {
                out.push_back(syntax.name);
            }
        }
        return out;
    }();
    return names;
}

std::string CommandLine::value(const std::string& option) const {
    const auto it = m_options.find(option);
    return it == m_options.end() ? std::string() : it->second;
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
        // Options that take a value take the next word, whatever it looks like.
        bool takesValue = g.name == "--ini";
        for (const CommandSyntax& syntax : commandSyntaxes()) {
            for (const OptionSyntax& option : syntax.options) {
                takesValue = takesValue || (g.name == option.name && option.takesValue);
            }
        }
        if (takesValue && !g.hasValue && i + 1 < argc) {
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
    const CommandSyntax* syntax = m_command.empty() ? nullptr : findCommand(m_command);

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
        const OptionSyntax* option = nullptr;
        static const OptionSyntax kIni = {"--ini", true};
        if (g.name == "--ini") {
            option = &kIni;
        } else {
            for (const OptionSyntax& o : syntax->options) {
                option = g.name == o.name ? &o : option;
            }
        }
        if (!option) {
            error = "'" + g.name + "' is not an option of '" + m_command + "'";
            return false;
        }
        if (option->takesValue && !g.hasValue) {
            error = g.name + " needs a value";
            return false;
        }
        if (!option->takesValue && g.hasValue) {
            error = g.name + " takes no value";
            return false;
        }
        if (m_options.count(g.name) || (g.name == "--ini" && !m_iniPath.empty())) {
            error = g.name + " is given twice";
            return false;
        }
        if (option->takesValue && g.value.empty()) {
            error = g.name + " needs a value, not an empty text";
            return false;
        }
        if (g.name == "--ini") {
            m_iniPath = g.value;
        } else {
            m_options[g.name] = g.value;
        }
    }

    if (m_help || m_version) {
        return true;
    }
    if (m_operands.size() < syntax->required) {
        error = "missing " + std::string(syntax->operands[m_operands.size()]);
        return false;
    }
    if (!syntax->repeats && m_operands.size() > syntax->operands.size()) {
        error = "unexpected argument '" + m_operands[syntax->operands.size()] + "'";
        return false;
    }
    return true;
}
