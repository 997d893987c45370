// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/TextEncoding.h"

#include <cstdint>
#include <cstring>

namespace store {

namespace {

// Code points of the bytes 0x80..0xFF of windows-1257.
constexpr std::uint16_t kWindows1257High[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0xFFFD, 0x2039, 0xFFFD,
    0x00A8, 0x02C7, 0x00B8, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0xFFFD, 0x203A, 0xFFFD, 0x00AF, 0x02DB, 0xFFFD, 0x00A0, 0xFFFD, 0x00A2, 0x00A3, 0x00A4, 0xFFFD, 0x00A6,
    0x00A7, 0x00D8, 0x00A9, 0x0156, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00C6, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00F8, 0x00B9, 0x0157, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00E6, 0x0104,
    0x012E, 0x0100, 0x0106, 0x00C4, 0x00C5, 0x0118, 0x0112, 0x010C, 0x00C9, 0x0179, 0x0116, 0x0122, 0x0136,
    0x012A, 0x013B, 0x0160, 0x0143, 0x0145, 0x00D3, 0x014C, 0x00D5, 0x00D6, 0x00D7, 0x0172, 0x0141, 0x015A,
    0x016A, 0x00DC, 0x017B, 0x017D, 0x00DF, 0x0105, 0x012F, 0x0101, 0x0107, 0x00E4, 0x00E5, 0x0119, 0x0113,
    0x010D, 0x00E9, 0x017A, 0x0117, 0x0123, 0x0137, 0x012B, 0x013C, 0x0161, 0x0144, 0x0146, 0x00F3, 0x014D,
    0x00F5, 0x00F6, 0x00F7, 0x0173, 0x0142, 0x015B, 0x016B, 0x00FC, 0x017C, 0x017E, 0x02D9,
};

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// True when the 8 bytes at `p` are all below 0x80.
bool isAscii8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

}  // namespace

size_t firstInvalidUtf8(std::string_view bytes) {
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        if (n - i >= 8 && isAscii8(bytes.data() + i)) {
            i += 8;
            continue;
        }
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const size_t length = utf8CharacterAt(bytes, i).length;
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

bool isValidUtf8(std::string_view bytes) { return firstInvalidUtf8(bytes) == std::string_view::npos; }

bool holdsC1Control(std::string_view bytes) {
    for (size_t at = bytes.find('\xC2'); at != std::string_view::npos; at = bytes.find('\xC2', at + 1))
        if (at + 1 < bytes.size() && static_cast<unsigned char>(bytes[at + 1]) >= 0x80 &&
            static_cast<unsigned char>(bytes[at + 1]) <= 0x9F)
            return true;
    return false;
}

namespace {

bool isEstonianLetter(char32_t c) {
    switch (c) {
        case U'õ':
        case U'ä':
        case U'ö':
        case U'ü':
        case U'š':
        case U'ž':
        case U'Õ':
        case U'Ä':
        case U'Ö':
        case U'Ü':
        case U'Š':
        case U'Ž': return true;
        default: return false;
    }
}

}  // namespace

bool readsBetterAsWindows1257(std::string_view bytes) {
    long windowsLetters = 0;
    for (const char byte : bytes)
        if (static_cast<unsigned char>(byte) >= 0x80)
            windowsLetters += isEstonianLetter(kWindows1257High[static_cast<unsigned char>(byte) - 0x80]);
    long utf8Letters = 0;  // less one for each C1 control
    bool characters = false;
    bool strays = false;
    for (size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const Utf8Character character = utf8CharacterAt(bytes, at);
        if (character.length == 0) {
            strays = true;
            ++at;
            continue;
        }
        characters = true;
        utf8Letters += isEstonianLetter(character.code) ? 1 : character.code <= 0x9F ? -1 : 0;
        at += character.length;
    }
    if (strays && !characters) return true;
    return windowsLetters > utf8Letters;
}

std::string windows1257ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        appendUtf8(out, c < 0x80 ? c : kWindows1257High[c - 0x80]);
    }
    return out;
}

size_t utf8Length(std::string_view text) {
    size_t count = 0;
    for (char ch : text)
        if (!isContinuation(static_cast<unsigned char>(ch))) ++count;
    return count;
}

std::string_view utf8Prefix(std::string_view text, size_t count) {
    size_t i = 0;
    for (size_t seen = 0; i < text.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i])) && seen++ == count) break;
    }
    return text.substr(0, i);
}

std::string_view utf8Suffix(std::string_view text, size_t count) {
    size_t i = text.size();
    for (size_t seen = 0; i > 0 && seen < count;) {
        if (!isContinuation(static_cast<unsigned char>(text[--i]))) ++seen;
    }
    return text.substr(i);
}

std::string shownText(std::string_view text) {
    constexpr size_t kShown = 40;
    std::string shown(utf8Prefix(text, kShown));
    if (shown.size() < text.size()) shown += "…";
    return shown;
}

}  // namespace store
