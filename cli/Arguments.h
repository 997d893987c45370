// SPDX-License-Identifier: GPL-3.0-or-later
// The command line after the command word: positional arguments and options
// with a value ("--days 7" or "--days=7").
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options;  // by name, e.g. "--days"

    std::optional<std::string> option(std::string_view name) const;
};

// Splits `args` by the option names in `known`, each of which takes a value.
// "--" ends the options. Throws CliError for an unknown option, an option
// without its value, or an option given twice.
Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string_view>& known);

}  // namespace cli
