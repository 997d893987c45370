// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Collation.h"

#include "store/TextEncoding.h"

#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <vector>

namespace app {

Collation::Collation(bool caseSensitive) {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = ucol_open("et_EE", &status);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator_ = ucol_open("", &status);
    }
    if (collator_ && !caseSensitive) ucol_setStrength(collator_, UCOL_SECONDARY);
}

Collation::~Collation() { ucol_close(collator_); }

std::string Collation::sortKey(const QString& text) const {
    const auto* chars = reinterpret_cast<const UChar*>(text.utf16());
    const auto length = static_cast<int32_t>(text.size());
    std::string key(static_cast<size_t>(length) * 4 + 16, '\0');
    for (;;) {
        const int32_t needed = ucol_getSortKey(collator_, chars, length, reinterpret_cast<uint8_t*>(key.data()),
                                               static_cast<int32_t>(key.size()));
        if (needed <= static_cast<int32_t>(key.size())) {
            key.resize(needed > 0 ? static_cast<size_t>(needed - 1) : 0);  // without the closing zero
            return key;
        }
        key.resize(static_cast<size_t>(needed));
    }
}

namespace {

// UTF-16 of valid UTF-8 text, as QString::fromUtf8 gives it; false at the
// first byte that is no valid UTF-8.
bool toUtf16(std::string_view utf8, std::vector<UChar>& out) {
    out.clear();
    for (size_t i = 0; i < utf8.size();) {
        const store::Utf8Character character = store::utf8CharacterAt(utf8, i);
        if (character.length == 0) return false;
        const char32_t c = character.code;
        if (c >= 0x10000) {
            out.push_back(static_cast<UChar>(0xd7c0 + (c >> 10)));
            out.push_back(static_cast<UChar>(0xdc00 | (c & 0x3ff)));
        } else {
            out.push_back(static_cast<UChar>(c));
        }
        i += character.length;
    }
    return true;
}

}  // namespace

void Collation::appendSortKey(std::string_view utf8, std::string& keys) const {
    thread_local std::vector<UChar> chars;
    if (!toUtf16(utf8, chars)) {
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        chars.assign(text.utf16(), text.utf16() + text.size());
    }
    const auto length = static_cast<int32_t>(chars.size());
    const size_t start = keys.size();
    keys.resize(start + static_cast<size_t>(length) * 4 + 16);
    for (;;) {
        const auto room = static_cast<int32_t>(keys.size() - start);
        const int32_t needed =
            ucol_getSortKey(collator_, chars.data(), length, reinterpret_cast<uint8_t*>(keys.data() + start), room);
        if (needed <= room) {
            keys.resize(start + (needed > 0 ? static_cast<size_t>(needed - 1) : 0));  // without the closing zero
            return;
        }
        keys.resize(start + static_cast<size_t>(needed));
    }
}

std::string Collation::sortKey(std::string_view utf8) const {
    return sortKey(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

int Collation::compare(std::string_view a, std::string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = ucol_strcollUTF8(collator_, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                     static_cast<int32_t>(b.size()), &status);
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
}

// Contractions (a letter and a combining mark, "l·") and prefix mappings,
// as the collator lists them.
const Collation::Joining& Collation::joining() const {
    std::call_once(joiningFound_, [this] {
        UErrorCode status = U_ZERO_ERROR;
        USet* contractions = uset_openEmpty();
        ucol_getContractionsAndExpansions(collator_, contractions, nullptr, true, &status);
        std::vector<UChar> text(64);
        for (int32_t item = 0; U_SUCCESS(status) && item < uset_getItemCount(contractions); ++item) {
            UChar32 from = 0;
            UChar32 to = 0;
            int32_t length =
                uset_getItem(contractions, item, &from, &to, text.data(), static_cast<int32_t>(text.size()), &status);
            if (status == U_BUFFER_OVERFLOW_ERROR) {
                status = U_ZERO_ERROR;
                text.resize(static_cast<size_t>(length) + 1);
                length = uset_getItem(contractions, item, &from, &to, text.data(), static_cast<int32_t>(text.size()),
                                      &status);
            }
            std::vector<char32_t> characters;
            for (int32_t at = 0; at < length;) {
                UChar32 c = 0;
                U16_NEXT(text.data(), at, length, c);
                characters.push_back(static_cast<char32_t>(c));
            }
            // The collator's own markers (U+FDD0 …) join letters only after
            // themselves, and no weight is told for them.
            if (characters.empty() ||
                std::any_of(characters.begin(), characters.end(), [](char32_t c) { return U_IS_UNICODE_NONCHAR(c); }))
                continue;
            joining_.characters.insert(joining_.characters.end(), characters.begin() + 1, characters.end());
            joining_.reach = std::max(joining_.reach, characters.size() - 1);
        }
        uset_close(contractions);
        std::sort(joining_.characters.begin(), joining_.characters.end());
    });
    return joining_;
}

size_t Collation::contextLength() const { return joining().reach; }

void Collation::prepare() const {
    std::vector<std::uint32_t> weights;
    appendPrimaryWeights(U'a', weights);
}

// The collation elements of the character alone: a weight's second half
// comes in a continuation element; elements without a primary weight add
// none (an accent, an ignored character).
bool Collation::appendPrimaryWeights(char32_t c, std::vector<std::uint32_t>& weights) const {
    const Joining& join = joining();
    if (U_IS_UNICODE_NONCHAR(c) || std::binary_search(join.characters.begin(), join.characters.end(), c)) return false;
    UChar text[2];
    int32_t length = 0;
    UBool failed = false;
    U16_APPEND(text, length, 2, static_cast<UChar32>(c), failed);
    if (failed) return false;
    UErrorCode status = U_ZERO_ERROR;
    UCollationElements* elements = ucol_openElements(collator_, text, length, &status);
    const size_t before = weights.size();
    bool last = false;  // whether the last element had a primary weight
    for (int32_t element; U_SUCCESS(status) && (element = ucol_next(elements, &status)) != UCOL_NULLORDER;) {
        const auto bits = static_cast<std::uint32_t>(element);
        const std::uint32_t primary = bits >> 16;
        if ((bits & 0xc0) == 0xc0) {
            if (last) weights.back() |= primary;
        } else {
            last = primary != 0;
            if (last) weights.push_back(primary << 16);
        }
    }
    ucol_closeElements(elements);
    if (U_FAILURE(status)) weights.resize(before);
    return U_SUCCESS(status);
}

const Collation& nameOrder() {
    static const Collation order(true);
    return order;
}

const Collation& menuOrder() {
    static const Collation order(false);
    return order;
}

}  // namespace app
