// The program's name and its home on the web, as the window's title, the
// error boxes, the report and the settings show them.
#pragma once

#include <string_view>

namespace store {

inline constexpr std::string_view kProgramName = "Zerizedozi";
inline constexpr std::string_view kHomeHost = "www.tarvalind.ee";

}  // namespace store
