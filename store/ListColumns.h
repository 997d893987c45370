// SPDX-License-Identifier: GPL-3.0-or-later
// The list's six columns, left to right, as the window's grid shows them, and
// the column filters in force: one text per column, "" where none is set.
// The window's filter menus write the texts; the report's heading lists them.
#pragma once

#include <array>
#include <string>

namespace store {

enum ListColumn : int { ColPaev, ColKuu, ColAasta, ColNimi, ColVanus, ColTyyp, kListColumns };

// UTF-8 texts by column: the day, the month's number, the year, the name,
// the age and the type's menu caption ("Sünnipäevad"), as chosen.
using FilterSlots = std::array<std::string, kListColumns>;

}  // namespace store
