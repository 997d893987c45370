// How the sort index compares names. The store knows only bytes; the program
// plugs in the user's language (Estonian alphabet, letter case breaking ties).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace store {

class TextOrder {
public:
    virtual ~TextOrder() = default;
    // A byte string whose plain byte order is the wanted order of the texts.
    virtual std::string sortKey(std::string_view utf8) const = 0;

    // <0, 0 or >0 as sortKey(a) compares with sortKey(b).
    virtual int compare(std::string_view a, std::string_view b) const {
        const int c = sortKey(a).compare(sortKey(b));
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    // The first 8 bytes of sortKey, big-endian and zero-padded: texts whose
    // prefixes differ compare as their prefixes do.
    virtual std::uint64_t keyPrefix(std::string_view utf8) const {
        const std::string key = sortKey(utf8);
        std::uint64_t prefix = 0;
        for (size_t i = 0; i < 8; ++i) prefix = prefix << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
        return prefix;
    }
    // Appends sortKey(utf8) to `keys`.
    virtual void appendSortKey(std::string_view utf8, std::string& keys) const { keys += sortKey(utf8); }
};

// Byte order of the UTF-8 texts; the default.
class ByteTextOrder final : public TextOrder {
public:
    std::string sortKey(std::string_view utf8) const override { return std::string(utf8); }
    int compare(std::string_view a, std::string_view b) const override {
        const int c = a.compare(b);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
};

}  // namespace store
