// SPDX-License-Identifier: GPL-3.0-or-later
// The event list as a table for spreadsheets: the columns
// Nimi;Päev;Kuu;Aasta;Tüüp of CsvText, UTF-8.
#pragma once

#include "cli/NewEntries.h"
#include "cli/TextSink.h"
#include "store/EventRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The header and one record per row, in the order given, without a byte
// order mark. A null value is an empty field; Tüüp is the row's type code.
// A text a spreadsheet would take for a formula (starting with =, +, -, @,
// tab or CR, perhaps after "'"s) gets a "'" before it.
// Goes to `sink` in pieces of some kTextPieceSize.
void writeEventsCsv(const std::vector<store::EventRow>& rows, const TextSink& sink);

// The table of writeEventsCsv as one text.
std::string eventsCsv(const std::vector<store::EventRow>& rows);

struct CsvProblem {
    int line;          // where the record starts; the header is line 1
    std::string what;  // Estonian, e.g. "päev puudub"
};

struct CsvEntries {
    std::vector<NewEntry> entries;     // in file order
    std::vector<CsvProblem> problems;  // in line order; none when every record is good
};

// Reads a table as eventsCsv writes it. The first record must be the header
// (empty fields after it are allowed, also after every record). A record is
// good when it is well-formed UTF-8 with five fields: a name of 1 to 99
// characters without control characters (C0, C1, bidirectional marks),
// kept as it is; a day and month that exist in some year, and in
// the year when one is given; a year 1..currentYear or empty; and a type, the
// code S, T, N or M or its label ("Sünnipäev" …). Blanks around numbers and the
// type are ignored. Records of empty fields only are passed over. With a bad
// header nothing after it is read; a header of fields separated by "," is
// told as the wrong separator. The "'" that eventsCsv puts before a
// formula-like text is removed. The first 100 problems are listed, then one
// that counts the rest.
CsvEntries readEventsCsv(std::string_view text, int currentYear);

}  // namespace cli
