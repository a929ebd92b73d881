#include "cli/commands.h"

namespace tw::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"normalize", "normalize FILE [-o OUT]", {{"-o", true}}, RunNormalize},
        {"sort", "sort [--column N] FILE [-o OUT]", {{"-o", true}, {"--column", true}}, RunSort},
        {"compare", "compare FILE1 FILE2 [FILE3 [FILE4 [FILE5]]]", {}, RunCompare},
        {"combine",
         "combine [--no-remove-rows] [--show-messages] -o OUT FILE1 FILE2 [FILE3 [FILE4 "
         "[FILE5]]]",
         {{"-o", true}, {"--no-remove-rows", false}, {"--show-messages", false}},
         RunCombine},
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
