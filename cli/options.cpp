#include "cli/options.h"

namespace tw::cli {

const std::vector<OptionSpec>& CommonOptions() {
    static const std::vector<OptionSpec> options = {{"--language", true},
                                                    {"--show-col-numbers", false},
                                                    {"--help", false},
                                                    {"--version", false}};
    return options;
}

std::optional<std::string> ParsedArguments::Value(const std::string& name) const {
    auto found = Values.find(name);
    if (found == Values.end())
        return std::nullopt;
    return found->second;
}

namespace {
const OptionSpec* FindOption(const std::string& name,
                             const std::vector<OptionSpec>& commandOptions) {
    for (const auto* list : {&commandOptions, &CommonOptions()})
        for (const auto& option : *list)
            if (option.Name == name)
                return &option;
    return nullptr;
}
} // namespace

bool ParseArguments(const std::vector<std::string>& arguments,
                    const std::vector<OptionSpec>& commandOptions, ParsedArguments& parsed,
                    std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.Files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = argument;
        std::optional<std::string> attached;
        if (auto equals = argument.find('=');
            argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            attached = argument.substr(equals + 1);
        }
        const OptionSpec* option = FindOption(name, commandOptions);
        if (!option) {
            error = "unknown option " + name;
            return false;
        }
        if (parsed.Has(name)) {
            error = "option " + name + " given twice";
            return false;
        }
        if (!option->TakesValue) {
            if (attached) {
                error = "option " + name + " takes no value";
                return false;
            }
            parsed.Flags.insert(name);
            continue;
        }
        if (!attached) {
            if (i + 1 >= arguments.size()) {
                error = "option " + name + " needs a value";
                return false;
            }
            attached = arguments[++i];
        }
        parsed.Values[name] = *attached;
    }
    return true;
}

} // namespace tw::cli
