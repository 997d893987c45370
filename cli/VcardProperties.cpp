// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VcardProperties.h"

#include "store/TextEncoding.h"

#include <algorithm>
#include <cctype>

namespace cli {

namespace {

// Calls onLine for each line of `text`, without its line end.
template <typename OnLine>
void forEachPhysicalLine(std::string_view text, OnLine&& onLine) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        onLine(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

// Position of the first `wanted` outside double quotes, or npos.
size_t findUnquoted(std::string_view text, char wanted) {
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == wanted && !quoted)
            return i;
    }
    return std::string_view::npos;
}

bool isQuotedPrintable(std::string_view line) {
    const size_t colon = findUnquoted(line, ':');
    return upperAscii(line.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

// A line that opens or closes a card, which no soft line break continues.
bool isCardBoundary(std::string_view line) {
    const std::string text = upperAscii(line.substr(0, 12));
    return text.starts_with("END:VCARD") || text.starts_with("BEGIN:VCARD");
}

// Calls onLine for each logical line of `text`, built from its physical lines.
template <typename OnLine>
void forEachLogicalLine(std::string_view text, OnLine&& onLine) {
    std::string line;
    bool started = false;
    bool quotedPrintable = false;  // of `line`
    forEachPhysicalLine(text, [&](std::string_view physical) {
        const bool softBreak = quotedPrintable && !line.empty() && line.back() == '=';
        if (softBreak && !isCardBoundary(physical)) {
            line.pop_back();
            line += physical;
        } else if (started && !physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            line += physical.substr(1);
        } else {
            if (softBreak) line.pop_back();
            if (started) onLine(line);
            line.assign(physical);
            started = true;
            quotedPrintable = isQuotedPrintable(physical);
        }
    });
    if (started) {
        if (quotedPrintable && !line.empty() && line.back() == '=') line.pop_back();
        onLine(line);
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string decodeQuotedPrintable(std::string_view text) {
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

std::pair<std::string, std::string> readParam(std::string_view text) {
    const size_t equals = findUnquoted(text, '=');
    std::string value(equals == std::string_view::npos ? text : text.substr(equals + 1));
    value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
    if (equals != std::string_view::npos) return {upperAscii(text.substr(0, equals)), value};
    const std::string bare = upperAscii(value);
    const bool encoding = bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "8BIT";
    return {encoding ? "ENCODING" : "TYPE", value};
}

VcardProperty readProperty(std::string_view line, size_t colon) {
    VcardProperty property;
    std::string_view head = line.substr(0, colon);
    size_t semicolon = findUnquoted(head, ';');
    std::string_view name = head.substr(0, semicolon);
    if (const size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    property.name = upperAscii(name);
    while (semicolon != std::string_view::npos) {
        head.remove_prefix(semicolon + 1);
        semicolon = findUnquoted(head, ';');
        const std::string_view param = head.substr(0, semicolon);
        if (!param.empty()) property.params.push_back(readParam(param));
    }
    const std::string_view value = line.substr(colon + 1);
    property.value = upperAscii(property.param("ENCODING")) == "QUOTED-PRINTABLE" ? decodeQuotedPrintable(value)
                                                                                  : std::string(value);
    if (!store::isValidUtf8(property.value)) property.value = store::windows1257ToUtf8(property.value);
    return property;
}

}  // namespace

std::string_view VcardProperty::param(std::string_view key) const {
    for (const auto& [k, v] : params)
        if (k == key) return v;
    return {};
}

void forEachVcardProperty(std::string_view text, const std::function<void(const VcardProperty&)>& onProperty) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    forEachLogicalLine(text, [&](const std::string& line) {
        const size_t colon = findUnquoted(line, ':');
        if (colon != std::string::npos) onProperty(readProperty(line, colon));
    });
}

std::vector<VcardProperty> readVcardProperties(std::string_view text) {
    std::vector<VcardProperty> properties;
    forEachVcardProperty(text, [&](const VcardProperty& property) { properties.push_back(property); });
    return properties;
}

std::string upperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace cli
