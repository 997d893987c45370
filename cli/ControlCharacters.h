// SPDX-License-Identifier: GPL-3.0-or-later
// Characters that must reach neither the list nor the terminal as they are:
// the C0 controls (NUL, TAB, LF, CR, ESC …), DEL, the C1 controls and the
// marks that override or isolate the direction of text.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// The length in bytes of such a character at the start of the UTF-8 `text`,
// or 0 when it starts with anything else (or is empty).
size_t controlCharacterAt(std::string_view text);

// `text` for a terminal: each such character, and each byte that is not
// part of valid UTF-8, written as \xNN (\u{XXXX} above U+00FF).
std::string escapeControlCharacters(std::string_view text);

}  // namespace cli
