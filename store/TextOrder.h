// How the sort index compares names. The store knows only bytes; the program
// plugs in the user's language (Estonian alphabet, letter case breaking ties).
#pragma once

#include <string>
#include <string_view>

namespace store {

class TextOrder {
public:
    virtual ~TextOrder() = default;
    // A byte string whose plain byte order is the wanted order of the texts.
    virtual std::string sortKey(std::string_view utf8) const = 0;
};

// Byte order of the UTF-8 texts; the default.
class ByteTextOrder final : public TextOrder {
public:
    std::string sortKey(std::string_view utf8) const override { return std::string(utf8); }
};

}  // namespace store
