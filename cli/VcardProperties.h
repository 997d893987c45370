// SPDX-License-Identifier: GPL-3.0-or-later
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0), unfolded
// and decoded, as a flat list of properties. Knows nothing of what the
// properties mean.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

struct VcardProperty {
    std::string name;  // upper case, without its group ("item1.BDAY" -> "BDAY")
    // Upper-case keys with their values, quotes removed; a bare 2.1 parameter
    // gets the key ENCODING (QUOTED-PRINTABLE, BASE64, 8BIT) or TYPE.
    std::vector<std::pair<std::string, std::string>> params;
    // Quoted-printable decoded; always valid UTF-8 (bytes that are not are
    // read as windows-1257). Backslash escapes are left in.
    std::string value;

    // The value of the first parameter `key` (upper case), or "".
    std::string_view param(std::string_view key) const;
};

// Splits `text` into lines (CRLF, LF or CR), joins folded lines (a line
// starting with a space or tab continues the one before, less that one
// character) and quoted-printable soft line breaks (a value ending in "=",
// unless the next line opens or closes a card: there the "=" is dropped),
// then parses each line and calls onProperty with it, one at a time. Lines
// without a ":" are dropped. Never throws on any input.
void forEachVcardProperty(std::string_view text, const std::function<void(const VcardProperty&)>& onProperty);

// The properties of forEachVcardProperty, all at once.
std::vector<VcardProperty> readVcardProperties(std::string_view text);

// `text` with its ASCII letters in upper case, as vCard names, parameters
// and keywords compare.
std::string upperAscii(std::string_view text);

}  // namespace cli
