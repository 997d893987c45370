// SPDX-License-Identifier: GPL-3.0-or-later
// The dates of the contacts of a vCard file: birthdays and anniversaries,
// with the contact's name.
#pragma once

#include "cli/CalendarDays.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct ContactDate {
    std::string name;                // UTF-8, one line, trimmed, at most 99 characters; "" when the card names nobody
    char type;                       // 'S' for BDAY, 'T' for ANNIVERSARY
    std::optional<YearlyDate> date;  // nullopt when the value is no valid date
    std::string value;               // the date as the card writes it, trimmed
};

// Reads a date value: "1980-03-05", "19800305", a date-time such as
// "19800305T000000Z" or "1980-03-05T00:00:00+02:00", and without a year
// "--0305" or "--03-05". Surrounding blanks are ignored. nullopt for any
// other text and for a date that does not exist (31.02, or 29.02 of a common
// year).
std::optional<YearlyDate> readVcardDate(std::string_view value);

// Every BDAY (type 'S') and ANNIVERSARY (also X-ANNIVERSARY and
// X-EVOLUTION-ANNIVERSARY; type 'T') of every BEGIN:VCARD … END:VCARD, in file
// order, named by the card's FN, or by its N ("given additional family")
// when FN is missing or empty. Properties of cards nested inside a card are
// ignored; a card cut off at the end of the input still counts. A year equal
// to the X-APPLE-OMIT-YEAR parameter counts as no year.
// Control characters (C0, DEL, C1, bidirectional marks) in names become
// blanks. Throws CliError when the text holds no BEGIN:VCARD or a card has
// more than 16 dates; never crashes.
std::vector<ContactDate> readContactDates(std::string_view vcf);

}  // namespace cli
