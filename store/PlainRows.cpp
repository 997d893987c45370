// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/PlainRows.h"

#include <array>
#include <cstdint>
#include <string>

namespace store {

namespace {

constexpr size_t kMostAttributes = 16;

// What each byte may be, as flags in one table.
enum : std::uint8_t { kBlank = 1, kNameStart = 2, kNameChar = 4, kEndsValue = 8 };

constexpr std::array<std::uint8_t, 256> kByteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (const char c : {' ', '\t', '\r', '\n'}) kinds[static_cast<unsigned char>(c)] |= kBlank;
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (letter || c == '_' || c == ':') kinds[c] |= kNameStart | kNameChar;
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') kinds[c] |= kNameChar;
        // A value's plain bytes end at a quote, and also at what is not plain.
        if (c < 0x20 || c == '<' || c == '&' || c == '"' || c == '\'') kinds[c] |= kEndsValue;
    }
    return kinds;
}();

bool is(char c, std::uint8_t kind) { return (kByteKinds[static_cast<unsigned char>(c)] & kind) != 0; }
bool isBlank(char c) { return is(c, kBlank); }
bool isNameStart(char c) { return is(c, kNameStart); }
bool isNameChar(char c) { return is(c, kNameChar); }

// `value` with its predefined entities replaced, into `out`; false when it
// holds any other use of "&".
bool decodeEntities(std::string_view value, std::string& out) {
    static constexpr std::array<std::pair<std::string_view, char>, 5> kEntities = {
        {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}}};
    out.clear();
    for (size_t i = 0; i < value.size();) {
        if (value[i] != '&') {
            out += value[i++];
            continue;
        }
        bool known = false;
        for (const auto& [entity, character] : kEntities) {
            if (value.substr(i, entity.size()) == entity) {
                out += character;
                i += entity.size();
                known = true;
                break;
            }
        }
        if (!known) return false;
    }
    return true;
}

}  // namespace

size_t plainValueEnd(std::string_view text, size_t from) {
    while (from < text.size() && !is(text[from], kEndsValue)) ++from;
    return from;
}

bool scanPlainRows(std::string_view text, const std::function<void(std::span<const PlainAttribute>)>& onRow) {
    std::array<PlainAttribute, kMostAttributes> attributes;
    std::array<std::string, kMostAttributes> decoded;
    const size_t n = text.size();
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < n && isBlank(text[i])) ++i;
    };
    for (;;) {
        skipBlanks();
        if (i == n) return true;
        if (n - i < 4 || text[i] != '<' || text[i + 1] != 'R' || text[i + 2] != 'O' || text[i + 3] != 'W') return false;
        i += 4;
        size_t count = 0;
        for (;;) {
            const size_t blanksFrom = i;
            skipBlanks();
            if (i + 1 < n && text[i] == '/' && text[i + 1] == '>') {
                i += 2;
                break;
            }
            if (i == blanksFrom || i == n || !isNameStart(text[i]) || count == kMostAttributes) return false;
            const size_t nameFrom = i;
            while (i < n && isNameChar(text[i])) ++i;
            if (i + 1 >= n || text[i] != '=' || (text[i + 1] != '"' && text[i + 1] != '\'')) return false;
            const std::string_view name = text.substr(nameFrom, i - nameFrom);
            const char quote = text[i + 1];
            i += 2;
            const size_t valueFrom = i;
            bool hasEntity = false;
            for (;;) {
                i = plainValueEnd(text, i);
                if (i == n) return false;
                if (text[i] == quote) break;
                const auto c = static_cast<unsigned char>(text[i]);
                if (c < 0x20 || c == '<') return false;
                hasEntity = hasEntity || c == '&';
                ++i;
            }
            std::string_view value = text.substr(valueFrom, i - valueFrom);
            ++i;
            if (hasEntity) {
                if (!decodeEntities(value, decoded[count])) return false;
                value = decoded[count];
            }
            attributes[count++] = {name, value};
        }
        onRow(std::span<const PlainAttribute>(attributes.data(), count));
    }
}

}  // namespace store
