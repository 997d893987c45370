// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a table to import: every entry that is read is good (a name
// of 1 to 99 characters of UTF-8, a date that exists, a known type), every
// problem names a line, no year lies after the current one, and the good entries written as a table read back
// unchanged and without problems.
#include "cli/EventsCsv.h"
#include "fuzz/FuzzFailure.h"
#include "store/TextEncoding.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr int kCurrentYear = 2026;

store::EventRow rowOf(const cli::NewEntry& entry) {
    store::EventRow row;
    row.nimi = entry.name;
    row.paev = static_cast<std::int16_t>(entry.date.day);
    row.kuu = static_cast<std::int16_t>(entry.date.month);
    row.aasta = entry.date.year;
    row.tyyp = std::string(1, entry.type);
    return row;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const cli::CsvEntries table = cli::readEventsCsv(text, kCurrentYear);
    int lastLine = 0;
    for (const cli::CsvProblem& problem : table.problems) {
        if (problem.line < 1 || problem.line < lastLine) fail("a problem without its line, or out of order");
        if (problem.what.empty() || !store::isValidUtf8(problem.what)) fail("a problem that does not say what");
        lastLine = problem.line;
    }
    std::vector<store::EventRow> rows;
    for (const cli::NewEntry& entry : table.entries) {
        const size_t length = store::utf8Length(entry.name);
        if (!store::isValidUtf8(entry.name) || length < 1 || length > static_cast<size_t>(store::kNimiWidth))
            fail("a name that is not 1 to 99 characters of UTF-8");
        const cli::YearlyDate& date = entry.date;
        if (date.year > kCurrentYear) fail("a year after the current one");
        if (date.year ? !store::isValidDate(*date.year, date.month, date.day) : !cli::isMonthDay(date.month, date.day))
            fail("read a date that does not exist");
        if (std::string_view("STNM").find(entry.type) == std::string_view::npos) fail("an unknown type");
        rows.push_back(rowOf(entry));
    }

    const cli::CsvEntries again = cli::readEventsCsv(cli::eventsCsv(rows), kCurrentYear);
    if (!again.problems.empty()) fail("the written table has problems");
    if (again.entries.size() != table.entries.size()) fail("the written table reads back other entries");
    for (size_t i = 0; i < rows.size(); ++i) {
        const cli::NewEntry& a = table.entries[i];
        const cli::NewEntry& b = again.entries[i];
        if (a.name != b.name || a.type != b.type || !(a.date == b.date)) fail("an entry changed on its way back");
    }
    return 0;
}
