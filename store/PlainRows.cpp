#include "store/PlainRows.h"

#include <array>
#include <string>

namespace store {

namespace {

constexpr size_t kMostAttributes = 16;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isNameStart(char c) { return isLetter(c) || c == '_' || c == ':'; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

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
            for (; i < n && text[i] != quote; ++i) {
                const auto c = static_cast<unsigned char>(text[i]);
                if (c < 0x20 || c == '<') return false;
                hasEntity = hasEntity || c == '&';
            }
            if (i == n) return false;
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
