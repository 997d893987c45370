// SPDX-License-Identifier: GPL-3.0-or-later
// How the sort index compares names. The store knows only bytes; the program
// plugs in the user's language (Estonian alphabet, letter case breaking ties).
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

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
    // Weights that order texts before anything else does: texts compare
    // first by the sequences of their characters' weights, one that ends
    // sooner first. Appends the weights of `c` (none for a character the
    // order passes over) and returns true; returns false when they may depend
    // on the characters before it, which then stand under contextLength().
    virtual bool appendPrimaryWeights(char32_t, std::vector<std::uint32_t>&) const { return false; }
    // How many characters before a dependent one may change their weights.
    virtual size_t contextLength() const { return 0; }
    // Appends sortKey(utf8) to `keys`.
    virtual void appendSortKey(std::string_view utf8, std::string& keys) const { keys += sortKey(utf8); }
};

// The sort keys of many texts, kept in blocks so that adding one never moves
// (or copies) the others; each key stays valid as long as its SortKeys.
class SortKeys {
public:
    explicit SortKeys(const TextOrder& order) : order_(order) {}
    std::string_view add(std::string_view utf8) {
        key_.clear();
        order_.appendSortKey(utf8, key_);
        if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < key_.size()) {
            blocks_.emplace_back();
            blocks_.back().reserve(std::max(kBlockSize, key_.size()));
        }
        std::string& block = blocks_.back();
        const size_t start = block.size();
        block += key_;
        return std::string_view(block).substr(start);
    }

private:
    static constexpr size_t kBlockSize = size_t{1} << 20;
    const TextOrder& order_;
    std::string key_;
    std::deque<std::string> blocks_;
};

// Byte order of the UTF-8 texts; the default.
class ByteTextOrder final : public TextOrder {
public:
    std::string sortKey(std::string_view utf8) const override { return std::string(utf8); }
    int compare(std::string_view a, std::string_view b) const override {
        const int c = a.compare(b);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    bool appendPrimaryWeights(char32_t c, std::vector<std::uint32_t>& weights) const override {
        weights.push_back(c);
        return true;
    }
};

}  // namespace store
