// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ControlCharacters.h"

#include "store/TextEncoding.h"

#include <cstdio>

namespace cli {

namespace {

// The bidirectional marks as UTF-8: U+061C, U+200E, U+200F, U+202A..U+202E
// and U+2066..U+2069.
size_t bidiMarkAt(std::string_view text) {
    if (text.starts_with("\xD8\x9C")) return 2;
    if (text.size() < 3 || text[0] != '\xE2') return 0;
    const auto second = static_cast<unsigned char>(text[1]);
    const auto third = static_cast<unsigned char>(text[2]);
    if (second == 0x80 && (third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE))) return 3;
    if (second == 0x81 && third >= 0xA6 && third <= 0xA9) return 3;
    return 0;
}

// The length of the valid UTF-8 character at the start of `text`, or 0.
size_t utf8CharacterAt(std::string_view text) {
    for (size_t length = 1; length <= 4 && length <= text.size(); ++length)
        if (store::isValidUtf8(text.substr(0, length))) return length;
    return 0;
}

}  // namespace

size_t controlCharacterAt(std::string_view text) {
    if (text.empty()) return 0;
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x20 || first == 0x7F) return 1;
    if (first == 0xC2 && text.size() >= 2 && static_cast<unsigned char>(text[1]) >= 0x80 &&
        static_cast<unsigned char>(text[1]) <= 0x9F)
        return 2;
    return bidiMarkAt(text);
}

std::string escapeControlCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char escaped[16];
    while (!text.empty()) {
        const size_t control = controlCharacterAt(text);
        const size_t character = control ? control : utf8CharacterAt(text);
        if (character == 0) {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[0]));
            out += escaped;
            text.remove_prefix(1);
            continue;
        }
        if (control == 0) {
            out += text.substr(0, character);
        } else {
            unsigned codePoint = static_cast<unsigned char>(text[0]) & (0xFF >> (control == 1 ? 0 : control + 1));
            for (size_t i = 1; i < control; ++i)
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
            std::snprintf(escaped, sizeof escaped, codePoint <= 0xFF ? "\\x%02X" : "\\u{%04X}", codePoint);
            out += escaped;
        }
        text.remove_prefix(character);
    }
    return out;
}

}  // namespace cli
