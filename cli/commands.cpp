#include "cli/commands.h"

namespace tw::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"normalize", "normalize FILE [-o OUT]", {{"-o", true}}, RunNormalize},
    };
    return commands;
}

std::string UsageText() {
    std::string text = "usage:\n";
    for (const auto& command : Commands())
        text += "  tabwright-cli " + std::string(command.Usage) + "\n";
    text += "common: [--language LNG] [--show-col-numbers]\n";
    return text;
}

} // namespace tw::cli
