// SPDX-License-Identifier: GPL-3.0-or-later
// The printed report as plain lines: headings, one line per record, filler
// and page footers, laid out for a fixed-pitch font. Pure function of the
// records, the filter in force and today's date; printing is elsewhere.
//
// A report page is reportLinesPerPage() lines: a heading (11 lines plus one
// per filter slot set), 47 − F record lines (F = slots set), a rule, the
// footer "... Lk <page>" and five empty lines. The last page stops after its
// footer, so the report has 65·(pages − 1) + 60 lines.
#pragma once

#include "store/Date.h"
#include "store/ListColumns.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace print {

enum class LineStyle { Regular, Bold, Italic };

// UTF-8 text without a line break.
struct ReportLine {
    std::string text;
    LineStyle style = LineStyle::Regular;

    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// One record as the store shows it. `tyyp` is the type code: "S" birthday,
// "T" red-letter day, "N" name day, "M" other.
struct ReportRecord {
    std::optional<store::Date> kuup;
    std::string aasta, nimi, vanus, tyyp;
};

// The column filters in force, by list column; "" is a column not filtered.
using store::FilterSlots;

// Appends one report heading: 11 + F lines.
void Pealkiri(std::vector<ReportLine>& out, const FilterSlots& filter, const store::Date& today);

// The whole report. A record whose type code is none of S, T, N, M shows no
// type.
// No records gives one page with no record lines.
std::vector<ReportLine> composeReport(const std::vector<ReportRecord>& records, const FilterSlots& filter,
                                      const store::Date& today);

int reportLinesPerPage();

}  // namespace print
