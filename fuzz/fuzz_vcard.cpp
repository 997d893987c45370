// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a vCard file: reading gives contact dates or the error for a
// text without cards, never anything else; every name is one line of UTF-8
// and every date that was read exists.
#include "cli/CliError.h"
#include "cli/ContactDates.h"
#include "fuzz/FuzzFailure.h"
#include "store/TextEncoding.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<cli::ContactDate> dates;
    try {
        dates = cli::readContactDates(text);
    } catch (const cli::CliError&) {
        return 0;
    }
    for (const cli::ContactDate& contact : dates) {
        if (!store::isValidUtf8(contact.name)) fail("a name is not UTF-8");
        for (const char c : contact.name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) fail("a name holds a control character");
        if (contact.type != 'S' && contact.type != 'T') fail("a date of an unknown type");
        if (!contact.date) continue;
        const cli::YearlyDate& date = *contact.date;
        if (date.year ? !store::isValidDate(*date.year, date.month, date.day) : !cli::isMonthDay(date.month, date.day))
            fail("read a date that does not exist");
    }
    return 0;
}
