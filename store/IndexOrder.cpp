// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/IndexOrder.h"

#include "store/Beside.h"
#include "store/TextEncoding.h"
#include "store/TextOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace store {

namespace {

// NOLINTNEXTLINE(modernize-use-using): "using" cannot be marked __extension__
__extension__ typedef unsigned __int128 SortPrefix;
constexpr int kPrefixBits = 128;
constexpr size_t kRowsToSortInHalves = 50'000;
constexpr size_t kMostRanksAfterOtherFields = 8;
constexpr size_t kFrontSample = 4096;

template <typename T>
int compareOptional(const std::optional<T>& a, const std::optional<T>& b) {
    if (!a || !b) return static_cast<int>(a.has_value()) - static_cast<int>(b.has_value());
    return *a < *b ? -1 : (*b < *a ? 1 : 0);
}

int compareText(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::optional<long long> integerField(const EventRow& row, int field) {
    switch (field) {
        case Paev: return row.paev;
        case Kuu: return row.kuu;
        case Aasta: return row.aasta;
        default: return std::nullopt;
    }
}

// Bits appended from the left, each field's flipped when descending.
template <typename Prefix>
class PrefixWriter {
public:
    static constexpr int kBits = sizeof(Prefix) * CHAR_BIT;
    explicit PrefixWriter(bool descending) : descending_(descending) {}
    int used() const { return used_; }
    // REQUIRES: used() + bits <= kBits.
    void append(SortPrefix value, int bits) {
        if (bits == 0) return;
        const Prefix mask = bits == kBits ? ~Prefix{0} : (Prefix{1} << bits) - 1;
        bits_ = (bits == kBits ? 0 : bits_ << bits) | (static_cast<Prefix>(descending_ ? ~value : value) & mask);
        used_ += bits;
    }
    Prefix prefix() const { return used_ == 0 ? 0 : bits_ << (kBits - used_); }

private:
    bool descending_;
    Prefix bits_ = 0;
    int used_ = 0;
};

// An integer field in as few bits as the rows' values need: 0 for null, 1
// for the lowest value.
struct IntegerSpan {
    long long low = 0;
    int bits = 0;
};

// The next character of UTF-8 text at `at`, moving past it; kNoCharacter
// for a byte that starts none.
constexpr char32_t kNoCharacter = 0xffffffff;

char32_t nextMultibyteCharacter(std::string_view text, size_t& at) {
    const Utf8Character character = utf8CharacterAt(text, at);
    at += std::max<size_t>(character.length, 1);
    return character.length == 0 ? kNoCharacter : character.code;
}

// Most names are ASCII: a byte below 0x80 is taken without a call.
inline char32_t nextCharacter(std::string_view text, size_t& at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte >= 0x80) return nextMultibyteCharacter(text, at);
    ++at;
    return byte;
}

// Characters below this are looked up in plain tables, the rest in maps.
constexpr char32_t kSmall = 0x800;

// What the rows hold: each integer field's lowest and highest value, and
// every character of the names, each once.
struct RowCensus {
    std::array<long long, 3> low{LLONG_MAX, LLONG_MAX, LLONG_MAX};  // Paev, Kuu, Aasta
    std::array<long long, 3> high{LLONG_MIN, LLONG_MIN, LLONG_MIN};
    std::vector<char32_t> characters;

    IntegerSpan span(int field) const {
        const auto i = static_cast<size_t>(field);
        if (low[i] > high[i]) return {};
        return {low[i], static_cast<int>(std::bit_width(static_cast<unsigned long long>(high[i] - low[i]) + 1))};
    }
};

RowCensus censusOf(const std::vector<EventRow>& rows, size_t from, size_t to) {
    RowCensus census;
    const auto widen = [&census](int field, const auto& value) {
        if (!value) return;
        const auto i = static_cast<size_t>(field);
        census.low[i] = std::min<long long>(census.low[i], *value);
        census.high[i] = std::max<long long>(census.high[i], *value);
    };
    std::vector<std::uint8_t> seenSmall(kSmall);
    std::unordered_set<char32_t> seenLarge;
    for (size_t r = from; r < to; ++r) {
        const EventRow& row = rows[r];
        widen(Paev, row.paev);
        widen(Kuu, row.kuu);
        widen(Aasta, row.aasta);
        for (size_t at = 0; at < row.nimi.size();) {
            const char32_t c = nextCharacter(row.nimi, at);
            if (c < kSmall)
                seenSmall[c] = 1;
            else
                seenLarge.insert(c);
        }
    }
    for (char32_t c = 0; c < kSmall; ++c)
        if (seenSmall[c]) census.characters.push_back(c);
    census.characters.insert(census.characters.end(), seenLarge.begin(), seenLarge.end());
    return census;
}

// The census of a long list is taken in halves, one beside the other.
RowCensus censusOf(const std::vector<EventRow>& rows, bool inHalves) {
    if (!inHalves) return censusOf(rows, 0, rows.size());
    const size_t half = rows.size() / 2;
    std::future<RowCensus> second = std::async(kBeside, [&] { return censusOf(rows, half, rows.size()); });
    RowCensus census = censusOf(rows, 0, half);
    const RowCensus other = second.get();
    for (size_t i = 0; i < census.low.size(); ++i) {
        census.low[i] = std::min(census.low[i], other.low[i]);
        census.high[i] = std::max(census.high[i], other.high[i]);
    }
    census.characters.insert(census.characters.end(), other.characters.begin(), other.characters.end());
    std::sort(census.characters.begin(), census.characters.end());
    census.characters.erase(std::unique(census.characters.begin(), census.characters.end()), census.characters.end());
    return census;
}

// The names' primary weights as dense ranks (1 for the lowest weight that
// occurs, 0 for a name's end), so that a name packs into a few bits per
// weight. Ranks compare as the weights do.
class NameRanks {
public:
    NameRanks(const std::vector<char32_t>& characters, const TextOrder& order) : contextLength_(order.contextLength()) {
        std::vector<std::vector<std::uint32_t>> weightsOf(characters.size());
        std::vector<std::uint32_t> allWeights;
        std::vector<bool> known(characters.size());
        for (size_t i = 0; i < characters.size(); ++i) {
            known[i] = characters[i] != kNoCharacter && order.appendPrimaryWeights(characters[i], weightsOf[i]) &&
                       weightsOf[i].size() <= UINT8_MAX;
            allWeights.insert(allWeights.end(), weightsOf[i].begin(), weightsOf[i].end());
        }
        std::sort(allWeights.begin(), allWeights.end());
        allWeights.erase(std::unique(allWeights.begin(), allWeights.end()), allWeights.end());
        bitsPerRank_ = static_cast<int>(std::bit_width(allWeights.size()));

        small_.assign(kSmall, Ranks{});
        for (size_t i = 0; i < characters.size(); ++i) {
            Ranks ranks{static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint8_t>(weightsOf[i].size()),
                        known[i]};
            for (const std::uint32_t weight : weightsOf[i])
                pool_.push_back(static_cast<std::uint32_t>(
                    std::lower_bound(allWeights.begin(), allWeights.end(), weight) - allWeights.begin() + 1));
            if (characters[i] < kSmall)
                small_[characters[i]] = ranks;
            else
                large_.emplace(characters[i], ranks);
        }
    }

    int bitsPerRank() const { return bitsPerRank_; }

    // The first `count` ranks of `name` packed into count * bitsPerRank()
    // <= 128 bits, 0s after its end; and how many of them are sure. The rest
    // may be wrong where a character's weights depend on those before it,
    // and are 0s.
    std::pair<SortPrefix, size_t> pack(std::string_view name, size_t count) const {
        // How many ranks were written before each of the last few characters.
        std::array<size_t, kMostContext + 1> writtenBefore{};
        SortPrefix packed = 0;
        size_t written = 0;
        size_t sure = count;
        // A character past the last rank written may still change the
        // weights of the few before it.
        for (size_t at = 0, index = 0, after = 0; at < name.size() && after <= contextLength_; ++index) {
            writtenBefore[index % writtenBefore.size()] = written;
            const char32_t c = nextCharacter(name, at);
            const Ranks& ranks = c < kSmall ? small_[c] : large_.at(c);
            if (!ranks.known) {
                const size_t back = std::min(index, contextLength_);
                sure = back > kMostContext ? 0 : std::min(count, writtenBefore[(index - back) % writtenBefore.size()]);
                break;
            }
            for (std::uint32_t i = 0; i < ranks.count && written < count; ++i, ++written)
                packed = packed << bitsPerRank_ | pool_[ranks.first + i];
            if (written == count) ++after;
        }
        const size_t unused = (count - written) * static_cast<size_t>(bitsPerRank_);
        return {unused >= kPrefixBits ? 0 : packed << unused, sure};
    }

private:
    static constexpr size_t kMostContext = 7;
    struct Ranks {
        std::uint32_t first = 0;  // in pool_
        std::uint8_t count = 0;
        bool known = false;
    };

    size_t contextLength_;
    int bitsPerRank_ = 0;
    std::vector<Ranks> small_;
    std::unordered_map<char32_t, Ranks> large_;
    std::vector<std::uint32_t> pool_;
};

// Where each field lands in the packed prefix. Fields are taken in index
// order while they fit; a name or a type takes all bits left, and the
// prefix ends there or at a date.
struct PrefixLayout {
    struct Part {
        int field;
        IntegerSpan span;  // integer fields
    };
    std::vector<Part> parts;
    int nameAt = -1;  // the bit where a name's ranks start
};

PrefixLayout layoutOf(const RowCensus& census, const std::vector<int>& fields) {
    PrefixLayout layout;
    int used = 0;
    for (const int field : fields) {
        if (field == Kuup) break;
        if (field == Nimi || field == Tyyp) {
            if (field == Nimi) layout.nameAt = used;
            layout.parts.push_back({field, {}});
            break;
        }
        const IntegerSpan span = census.span(field);
        if (used + span.bits > kPrefixBits) break;
        layout.parts.push_back({field, span});
        used += span.bits;
    }
    return layout;
}

struct PrefixHash {
    size_t operator()(SortPrefix prefix) const {
        const auto high = static_cast<std::uint64_t>(prefix >> 64);
        const auto low = static_cast<std::uint64_t>(prefix);
        return std::hash<std::uint64_t>()(high * 0x9e3779b97f4a7c15ULL ^ low);
    }
};

// A row's packed prefix and its place in the list.
template <typename Prefix>
struct Keyed {
    Prefix prefix;
    size_t row;
};

// A name's ranks after an unsure one may disagree with the names' order, so
// its prefix ends before them; and so does every prefix that agrees with it
// up to there, so that those rows tie and are compared whole. A prefix that
// agrees with several ends at the shortest.
template <typename Prefix>
void endPrefixesAtUnsureRanks(std::span<Keyed<Prefix>> keyed, const std::vector<std::pair<size_t, size_t>>& unsure,
                              int nameAt, int bitsPerRank) {
    constexpr int kBits = PrefixWriter<Prefix>::kBits;
    const auto maskFor = [&](size_t sureRanks) {
        const int kept = nameAt + static_cast<int>(sureRanks) * bitsPerRank;
        return kept == 0 ? Prefix{0} : ~Prefix{0} << (kBits - kept);
    };
    std::map<size_t, std::unordered_set<SortPrefix, PrefixHash>> endsBySureRanks;
    for (const auto& [row, sureRanks] : unsure)
        endsBySureRanks[sureRanks].insert(keyed[row].prefix & maskFor(sureRanks));
    for (Keyed<Prefix>& entry : keyed) {
        for (const auto& [sureRanks, ends] : endsBySureRanks) {
            const Prefix ended = entry.prefix & maskFor(sureRanks);
            if (ends.contains(ended)) {
                entry.prefix = ended;
                break;
            }
        }
    }
}

// What a sort packs into each row's prefix: the layout, the names' ranks
// and how many of them, and how many bits that takes.
struct PrefixPlan {
    PrefixLayout layout;
    std::optional<NameRanks> nameRanks;
    size_t nameRankCount = 0;
    int bits = 0;
};

PrefixPlan planOf(const RowCensus& census, const std::vector<int>& fields, const TextOrder& names) {
    PrefixPlan plan{layoutOf(census, fields), std::nullopt, 0, 0};
    for (const PrefixLayout::Part& part : plan.layout.parts) plan.bits += part.span.bits;
    if (plan.layout.nameAt >= 0) {
        plan.nameRanks.emplace(census.characters, names);
        const int bitsPerRank = plan.nameRanks->bitsPerRank();
        if (bitsPerRank > 0) plan.nameRankCount = static_cast<size_t>((kPrefixBits - plan.layout.nameAt) / bitsPerRank);
        // Names that tie on every field before them seldom share more than
        // their first letters: the rest would cost more to pack than the
        // few whole comparisons it saves.
        if (plan.layout.nameAt > 0) plan.nameRankCount = std::min(plan.nameRankCount, kMostRanksAfterOtherFields);
        plan.bits += static_cast<int>(plan.nameRankCount) * bitsPerRank;
    }
    if (!plan.layout.parts.empty() && plan.layout.parts.back().field == Tyyp) plan.bits = kPrefixBits;
    return plan;
}

// Each row's packed prefix and place; a long list is packed in halves, one
// beside the other.
template <typename Prefix>
std::unique_ptr<Keyed<Prefix>[]> packedRows(const std::vector<EventRow>& rows, const PrefixPlan& plan, bool descending,
                                            size_t half) {
    // Filled in halves beside each other, so left uninitialised here.
    auto keyed = std::make_unique_for_overwrite<Keyed<Prefix>[]>(rows.size());
    const std::span<Keyed<Prefix>> all(keyed.get(), rows.size());
    // The rows of [from, to) whose names have unsure ranks, with how many of
    // their ranks are sure.
    using Unsure = std::vector<std::pair<size_t, size_t>>;
    const auto packRows = [&](size_t from, size_t to) {
        Unsure unsure;
        for (size_t i = from; i < to; ++i) {
            const EventRow& row = rows[i];
            PrefixWriter<Prefix> writer(descending);
            for (const PrefixLayout::Part& part : plan.layout.parts) {
                if (part.field == Nimi) {
                    if (plan.nameRankCount == 0) continue;
                    const auto [packed, sureRanks] = plan.nameRanks->pack(row.nimi, plan.nameRankCount);
                    writer.append(packed, static_cast<int>(plan.nameRankCount) * plan.nameRanks->bitsPerRank());
                    if (sureRanks < plan.nameRankCount) unsure.emplace_back(i, sureRanks);
                } else if (part.field == Tyyp) {
                    for (size_t k = 0; writer.used() + 8 <= PrefixWriter<Prefix>::kBits; ++k)
                        writer.append(k < row.tyyp.size() ? static_cast<unsigned char>(row.tyyp[k]) : 0, 8);
                } else {
                    const std::optional<long long> value = integerField(row, part.field);
                    writer.append(value ? static_cast<std::uint64_t>(*value - part.span.low) + 1 : 0, part.span.bits);
                }
            }
            all[i] = {writer.prefix(), i};
        }
        return unsure;
    };
    const bool inHalves = half < rows.size();
    std::future<Unsure> secondHalf;
    if (inHalves) secondHalf = std::async(kBeside, packRows, half, rows.size());
    Unsure unsure = packRows(0, half);
    if (inHalves) {
        const Unsure other = secondHalf.get();
        unsure.insert(unsure.end(), other.begin(), other.end());
    }
    if (!unsure.empty()) endPrefixesAtUnsureRanks(all, unsure, plan.layout.nameAt, plan.nameRanks->bitsPerRank());
    return keyed;
}

// Sorts [0, half) and [half, end) of `all` each, one beside the other.
template <typename Prefix, typename Less>
void sortHalves(std::span<Keyed<Prefix>> all, size_t half, const Less& less) {
    if (half == all.size()) {
        std::sort(all.begin(), all.end(), less);
        return;
    }
    std::future<void> firstHalf = std::async(kBeside, [&] { std::sort(all.begin(), all.begin() + half, less); });
    std::sort(all.begin() + half, all.end(), less);
    firstHalf.get();
}

// The places of `all`, whose [0, half) and [half, end) are each sorted, in
// the order of both.
template <typename Prefix, typename Less>
std::vector<size_t> mergedPlaces(std::span<const Keyed<Prefix>> all, size_t half, const Less& less) {
    std::vector<size_t> order(all.size());
    size_t* out = order.data();
    const Keyed<Prefix>* first = all.data();
    const Keyed<Prefix>* const middle = first + half;
    const Keyed<Prefix>* second = middle;
    const Keyed<Prefix>* const end = first + all.size();
    while (first != middle && second != end) {
        const bool fromSecond = less(*second, *first);
        *out++ = fromSecond ? second->row : first->row;
        second += fromSecond;
        first += !fromSecond;
    }
    for (; first != middle; ++first) *out++ = first->row;
    for (; second != end; ++second) *out++ = second->row;
    return order;
}

// Orders rows by their prefixes; rows that tie, by `compare` and then by place.
template <typename Prefix, typename Compare>
auto keyedLess(const std::vector<EventRow>& rows, const Compare& compare) {
    return [&rows, &compare](const Keyed<Prefix>& x, const Keyed<Prefix>& y) {
        if (x.prefix != y.prefix) return x.prefix < y.prefix;
        const int c = compare(rows[x.row], rows[y.row]);
        return c != 0 ? c < 0 : x.row < y.row;
    };
}

// The places of `rows` sorted by their packed prefixes, ties by `compare`
// and then by place. A long list is packed and sorted in halves, one beside
// the other, and the halves merged straight into the places.
template <typename Prefix>
std::vector<size_t> sortedByPrefixes(const std::vector<EventRow>& rows, const PrefixPlan& plan, bool descending,
                                     bool inHalves,
                                     const std::function<int(const EventRow&, const EventRow&)>& compare) {
    const size_t half = inHalves ? rows.size() / 2 : rows.size();
    const std::unique_ptr<Keyed<Prefix>[]> keyed = packedRows<Prefix>(rows, plan, descending, half);
    const std::span<Keyed<Prefix>> all(keyed.get(), rows.size());
    const auto less = keyedLess<Prefix>(rows, compare);
    sortHalves(all, half, less);
    return mergedPlaces<Prefix>(all, half, less);
}

}  // namespace

IndexOrder::IndexOrder(std::vector<int> fields, bool descending, const TextOrder& names)
    : fields_(std::move(fields)), descending_(descending), names_(names) {}

int IndexOrder::compare(const EventRow& x, const EventRow& y) const {
    for (const int field : fields_) {
        int c = 0;
        switch (field) {
            case Paev: c = compareOptional(x.paev, y.paev); break;
            case Kuu: c = compareOptional(x.kuu, y.kuu); break;
            case Aasta: c = compareOptional(x.aasta, y.aasta); break;
            case Kuup: c = compareOptional(x.kuup, y.kuup); break;
            case Tyyp: c = compareText(x.tyyp, y.tyyp); break;
            case Nimi: c = names_.compare(x.nimi, y.nimi); break;
        }
        if (c != 0) return descending_ ? -c : c;
    }
    return 0;
}

std::optional<std::vector<size_t>> IndexOrder::front(const std::vector<EventRow>& rows,
                                                     const std::vector<bool>& members, size_t count) const {
    // The leading integer fields as one number, each in the bits its type
    // needs (0 for null), the last that does not fit cut to its high bits:
    // rows whose numbers differ are in the numbers' order.
    struct Part {
        int field;
        int bits;
        int cut;
    };
    std::vector<Part> parts;
    for (int used = 0; const int field : fields_) {
        if (field != Paev && field != Kuu && field != Aasta) break;
        const int bits = field == Aasta ? 33 : 17;
        const int kept = std::min(bits, 64 - used);
        parts.push_back({field, kept, bits - kept});
        used += kept;
        if (used == 64) break;
    }
    if (parts.empty()) return std::nullopt;
    if (count == 0) return std::vector<size_t>{};
    const auto fieldBits = [](const EventRow& row, int field) -> std::uint64_t {
        const auto above = [](const auto& value, long long lowest) {
            return value ? static_cast<std::uint64_t>(*value - lowest) + 1 : 0;
        };
        switch (field) {
            case Paev: return above(row.paev, INT16_MIN);
            case Kuu: return above(row.kuu, INT16_MIN);
            default: return above(row.aasta, INT32_MIN);
        }
    };
    const auto numberOf = [&](const EventRow& row) {
        std::uint64_t number = 0;
        for (const Part& part : parts) number = number << part.bits | fieldBits(row, part.field) >> part.cut;
        return descending_ ? ~number : number;
    };
    // A sample of the rows tells a number with about three times `count`
    // of them at or below it; one pass then gathers those, and the front is
    // among them whenever they are at least `count`.
    const size_t step = std::max<size_t>(1, rows.size() / kFrontSample);
    std::vector<std::uint64_t> sample;
    for (size_t i = 0; i < rows.size(); i += step)
        if (members[i]) sample.push_back(numberOf(rows[i]));
    std::sort(sample.begin(), sample.end());
    const size_t at = 3 * count / step;
    const std::uint64_t highest = at < sample.size() ? sample[at] : ~std::uint64_t{0};
    const size_t mostCandidates = 8 * count;  // beyond that, too many rows tie
    std::vector<Keyed<std::uint64_t>> keyed;
    bool passedOver = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!members[i]) continue;
        const std::uint64_t number = numberOf(rows[i]);
        if (number > highest) {
            passedOver = true;
        } else {
            if (keyed.size() == mostCandidates) return std::nullopt;
            keyed.push_back({number, i});
        }
    }
    if (keyed.size() < count && passedOver) return std::nullopt;  // the sample misled
    const auto less = [&](const Keyed<std::uint64_t>& x, const Keyed<std::uint64_t>& y) {
        if (x.prefix != y.prefix) return x.prefix < y.prefix;
        const int c = compare(rows[x.row], rows[y.row]);
        return c != 0 ? c < 0 : x.row < y.row;
    };
    const auto kept = static_cast<std::ptrdiff_t>(std::min(count, keyed.size()));
    std::partial_sort(keyed.begin(), keyed.begin() + kept, keyed.end(), less);
    std::vector<size_t> places(static_cast<size_t>(kept));
    for (size_t i = 0; i < places.size(); ++i) places[i] = keyed[i].row;
    return places;
}

std::vector<size_t> IndexOrder::sorted(const std::vector<EventRow>& rows) const {
    const bool inHalves = rows.size() >= kRowsToSortInHalves;
    const PrefixPlan plan = planOf(censusOf(rows, inHalves), fields_, names_);
    const auto compareRows = [this](const EventRow& x, const EventRow& y) { return compare(x, y); };
    // Prefixes that fit in 64 bits sort as half as many bytes.
    if (plan.bits <= 64) return sortedByPrefixes<std::uint64_t>(rows, plan, descending_, inHalves, compareRows);
    return sortedByPrefixes<SortPrefix>(rows, plan, descending_, inHalves, compareRows);
}

}  // namespace store
