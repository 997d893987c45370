#include "app/NameOrder.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

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

void Collation::appendSortKey(std::string_view utf8, std::string& keys) const {
    thread_local std::vector<UChar> chars;
    chars.resize(utf8.size() + 1);
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(chars.data(), static_cast<int32_t>(chars.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xfffd, nullptr, &status);
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
    const UCollationResult result =
        ucol_strcollUTF8(collator_, a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()), &status);
    return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
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
