// SPDX-License-Identifier: GPL-3.0-or-later
// A failure the user can fix, with its message in Estonian as shown on
// stderr. Store failures are worded by ErrorTexts.
#pragma once

#include <stdexcept>
#include <string>

namespace cli {

class CliError : public std::runtime_error {
public:
    explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace cli
