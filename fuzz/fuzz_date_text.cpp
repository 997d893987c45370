// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a date typed into the editor: a date that is read exists.
#include "store/DateText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Today in a common year, and on a leap day near the calendar's end.
    for (const store::Date today : {store::Date{2026, 3, 5}, store::Date{9996, 2, 29}}) {
        const auto date = store::readDateText(text, today);
        if (date && !store::isValid(*date)) {
            std::fprintf(stderr, "read the impossible date %d-%d-%d\n", date->year, date->month, date->day);
            std::abort();
        }
    }
    return 0;
}
