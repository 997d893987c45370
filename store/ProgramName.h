// SPDX-License-Identifier: GPL-3.0-or-later
// The program's name, its maker's and its home on the web, as the window's
// title, the error boxes, the report, the settings and the user's data folder
// show them.
#pragma once

#include <string_view>

namespace store {

inline constexpr std::string_view kProgramName = "Zerizedozi";
inline constexpr std::string_view kMakerName = "Tarvalind";
inline constexpr std::string_view kHomeHost = "www.tarvalind.ee";

}  // namespace store
