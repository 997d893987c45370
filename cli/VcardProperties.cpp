#include "cli/VcardProperties.h"

#include <algorithm>
#include <cctype>

#include "store/TextEncoding.h"

namespace cli {

namespace {

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::vector<std::string_view> physicalLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

// Position of the first `wanted` outside double quotes, or npos.
size_t findUnquoted(std::string_view text, char wanted) {
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        else if (text[i] == wanted && !quoted) return i;
    }
    return std::string_view::npos;
}

bool isQuotedPrintable(std::string_view line) {
    const size_t colon = findUnquoted(line, ':');
    return upper(line.substr(0, colon)).find("QUOTED-PRINTABLE") != std::string::npos;
}

std::vector<std::string> logicalLines(std::string_view text) {
    std::vector<std::string> lines;
    bool quotedPrintable = false;  // of lines.back()
    for (const std::string_view line : physicalLines(text)) {
        if (quotedPrintable && !lines.back().empty() && lines.back().back() == '=') {
            lines.back().pop_back();
            lines.back() += line;
        } else if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            lines.back() += line.substr(1);
        } else {
            lines.emplace_back(line);
            quotedPrintable = isQuotedPrintable(line);
        }
    }
    return lines;
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
    if (equals != std::string_view::npos) return {upper(text.substr(0, equals)), value};
    const std::string bare = upper(value);
    const bool encoding = bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "8BIT";
    return {encoding ? "ENCODING" : "TYPE", value};
}

VcardProperty readProperty(std::string_view line, size_t colon) {
    VcardProperty property;
    std::string_view head = line.substr(0, colon);
    size_t semicolon = findUnquoted(head, ';');
    std::string_view name = head.substr(0, semicolon);
    if (const size_t dot = name.rfind('.'); dot != std::string_view::npos) name.remove_prefix(dot + 1);
    property.name = upper(name);
    while (semicolon != std::string_view::npos) {
        head.remove_prefix(semicolon + 1);
        semicolon = findUnquoted(head, ';');
        const std::string_view param = head.substr(0, semicolon);
        if (!param.empty()) property.params.push_back(readParam(param));
    }
    const std::string_view value = line.substr(colon + 1);
    property.value = upper(property.param("ENCODING")) == "QUOTED-PRINTABLE" ? decodeQuotedPrintable(value)
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

std::vector<VcardProperty> readVcardProperties(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<VcardProperty> properties;
    for (const std::string& line : logicalLines(text)) {
        const size_t colon = findUnquoted(line, ':');
        if (colon != std::string::npos) properties.push_back(readProperty(line, colon));
    }
    return properties;
}

}  // namespace cli
