// SPDX-License-Identifier: GPL-3.0-or-later
// Text encodings of data files: UTF-8 as written today, and windows-1257,
// the Estonian Windows code page of lists kept by older builds.
#pragma once

#include <string>
#include <string_view>

namespace store {

// The well-formed UTF-8 character that starts at byte `at` of `bytes` (no
// overlong forms, no surrogates), and its length in bytes; length 0 when no
// such character starts there.
// Inline: sorting decodes every letter of every name with it.
struct Utf8Character {
    char32_t code = 0;
    size_t length = 0;
};
inline Utf8Character utf8CharacterAt(std::string_view bytes, size_t at) {
    const auto c = static_cast<unsigned char>(bytes[at]);
    if (c < 0x80) return {c, 1};
    size_t length;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        cp = c & 0x07;
    } else {
        return {};
    }
    if (bytes.size() - at < length) return {};
    for (size_t k = 1; k < length; ++k) {
        const auto cc = static_cast<unsigned char>(bytes[at + k]);
        if ((cc & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {cp, length};
}

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

// The offset of the first byte where `bytes` stops being well-formed UTF-8,
// or npos when it is.
size_t firstInvalidUtf8(std::string_view bytes);

// True when the UTF-8 `bytes` hold a C1 control (U+0080 to U+009F), which
// texts never mean to; windows-1257 letters read as UTF-8 can give one.
bool holdsC1Control(std::string_view bytes);

// Whether `bytes` read better as windows-1257 than as UTF-8: they hold no
// UTF-8 character of two to four bytes but bytes that are no UTF-8, or read
// as windows-1257 they give more Estonian letters (õäöüšž, either case) than
// read as UTF-8, where each C1 control counts against UTF-8. A UTF-8 list
// with a stray byte or a strange character among its letters stays UTF-8.
bool readsBetterAsWindows1257(std::string_view bytes);

// The windows-1257 bytes as UTF-8; undefined bytes become U+FFFD.
std::string windows1257ToUtf8(std::string_view bytes);

// Number of characters (code points) of a valid UTF-8 text.
size_t utf8Length(std::string_view text);

// The first `count` characters of a valid UTF-8 text (all when shorter).
std::string_view utf8Prefix(std::string_view text, size_t count);

// The last `count` characters of a valid UTF-8 text (all when shorter).
std::string_view utf8Suffix(std::string_view text, size_t count);

// A text from a file as a message shows it: its first 40 characters, with
// "…" after them when there were more.
std::string shownText(std::string_view text);

}  // namespace store
