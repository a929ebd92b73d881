#pragma once
// The tool's argument parser: after the subcommand, options and files may stand in any
// order; "--" ends the options. An option with a value takes it from the next argument
// or after "=" ("--column=3").

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tw::cli {

struct OptionSpec {
    std::string Name; // with its dashes: "-o", "--column"
    bool TakesValue = false;
};

// Accepted by every subcommand.
const std::vector<OptionSpec>& CommonOptions();

struct ParsedArguments {
    std::vector<std::string> Files;
    std::map<std::string, std::string> Values;
    std::set<std::string> Flags;

    bool Has(const std::string& name) const { return Flags.count(name) || Values.count(name); }
    std::optional<std::string> Value(const std::string& name) const;
};

// False with `error` set for an unknown option, a missing value or an option given twice.
bool ParseArguments(const std::vector<std::string>& arguments,
                    const std::vector<OptionSpec>& commandOptions, ParsedArguments& parsed,
                    std::string& error);

} // namespace tw::cli
