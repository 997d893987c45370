// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Arguments.h"

#include "cli/CliError.h"

#include <algorithm>

namespace cli {

std::optional<std::string> Arguments::option(std::string_view name) const {
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

Arguments parseArguments(const std::vector<std::string>& args, const std::vector<std::string_view>& known) {
    Arguments parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (std::find(known.begin(), known.end(), name) == known.end()) throw CliError("Tundmatu võti '" + name + "'.");
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw CliError("Võtmele " + name + " puudub väärtus.");
        }
        if (!parsed.options.emplace(name, value).second) throw CliError("Võti " + name + " on antud mitu korda.");
    }
    return parsed;
}

}  // namespace cli
