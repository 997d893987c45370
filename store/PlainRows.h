// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a data packet in the plain shape this program writes, read
// straight from the text between <ROWDATA> and </ROWDATA>, without building a
// document tree: empty "<ROW" elements whose name="value" attributes stand
// after blanks, with the five predefined entities. Anything else (a comment,
// text, a child element, a character reference, a control character, an
// unknown entity) is declined, for the full XML reader to read.
#pragma once

#include <functional>
#include <span>
#include <string_view>

namespace store {

struct PlainAttribute {
    std::string_view name;
    std::string_view value;  // entities decoded
};

// Where the plain bytes of a value that starts at `from` end: the first
// quote, "<", "&" or control character at or after it, or text.size().
size_t plainValueEnd(std::string_view text, size_t from);

// Calls onRow for each row of `rows` in order, with its attributes in the
// order written; the views last until onRow returns. Returns false, perhaps
// after some calls, when `rows` is not plain.
bool scanPlainRows(std::string_view rows, const std::function<void(std::span<const PlainAttribute>)>& onRow);

}  // namespace store
