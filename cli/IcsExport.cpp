// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IcsExport.h"

#include "cli/CalendarDays.h"
#include "cli/CliError.h"
#include "cli/Upcoming.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string_view>

namespace cli {

namespace {

// The FNV-1a hash of a row's name, day, month, year and type, each ended by a
// unit separator but the last, numbers in decimals and a null as nothing.
// The unit separator cannot occur in a name read from the data file.
std::uint64_t identityHash(const store::EventRow& row) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](std::string_view bytes) {
        for (const char c : bytes) {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
    };
    const auto addNumber = [&add](const auto& value) {
        char digits[16];
        if (value)
            add({digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, *value).ptr - digits)});
        add("\x1f");
    };
    add(row.nimi);
    add("\x1f");
    addNumber(row.paev);
    addNumber(row.kuu);
    addNumber(row.aasta);
    add(row.tyyp);
    return hash;
}

// How many rows equal in name, day, month, year and type have been met so
// far, for rows in the list's order: such rows stand in one run of rows
// equal in date and name, so only the current run is remembered. The rows
// must outlive it.
class Occurrences {
public:
    // The 1-based count of rows like `row` so far, `row` included.
    int next(const store::EventRow& row) {
        if (!runStart_ || !sameDateAndName(*runStart_, row)) {
            runStart_ = &row;
            byType_.clear();
            return 1;
        }
        if (byType_.empty()) byType_[runStart_->tyyp] = 1;
        return ++byType_[row.tyyp];
    }

private:
    static bool sameDateAndName(const store::EventRow& a, const store::EventRow& b) {
        return a.kuu == b.kuu && a.paev == b.paev && a.aasta == b.aasta && a.nimi == b.nimi;
    }
    const store::EventRow* runStart_ = nullptr;
    std::map<std::string_view, int> byType_;  // filled once the run has a second row
};

void appendUid(std::string& out, std::uint64_t hash, int occurrence) {
    char text[48];
    std::snprintf(text, sizeof text, "%016llx-%d@zerizedozi", static_cast<unsigned long long>(hash), occurrence);
    out += text;
}

// TEXT values may hold tabs and line breaks but no other control characters,
// which become blanks. Blanks at either end are left out: calendar readers
// (libical among them) drop them from the line, and the text cannot escape
// them.
bool isControl(char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') || c == '\x7f'; }

bool isEndBlank(char c) { return c == ' ' || c == '\t' || isControl(c); }

void appendWithoutControls(std::string& out, std::string_view text) {
    while (!text.empty() && isEndBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isEndBlank(text.back())) text.remove_suffix(1);
    for (const char c : text) out += isControl(c) ? ' ' : c;
}

void appendNumber(std::string& out, int number) {
    char digits[16];
    out.append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
}

// The years whose dates the calendar library writes as dates: before year 2
// or after 3000 it writes no date at all, or a date-time of zeros.
constexpr int kFirstStartYear = 2;
constexpr int kLastStartYear = 2999;

bool isStartYear(int year) { return year >= kFirstStartYear && year <= kLastStartYear; }

// The event's first year: the row's year, else the year it was saved in,
// else this year; a year the calendar cannot carry counts as none.
int startYear(const store::EventRow& row, MonthDay md, const store::Date& today) {
    if (row.aasta && isStartYear(*row.aasta) && store::isValidDate(*row.aasta, md.month, md.day)) return *row.aasta;
    const int base = row.kuup && isStartYear(row.kuup->year) ? row.kuup->year : today.year;
    if (md.month == 2 && md.day == 29) return store::latestLeapYear(std::max(base, 4));
    return base;
}

// "20260305": a date as iCalendar writes it. REQUIRES: a year of 0 to 9999.
void appendDate(std::string& out, const store::Date& date) {
    char digits[8];
    int number = date.year * 10000 + date.month * 100 + date.day;
    for (int i = 7; i >= 0; --i, number /= 10) digits[i] = static_cast<char>('0' + number % 10);
    out.append(digits, sizeof digits);
}

// Sets `summary` to the event's SUMMARY: the name and the kind of date.
void makeSummary(std::string& summary, const store::EventRow& row) {
    summary.clear();
    appendWithoutControls(summary, row.nimi);
    const auto label = store::typeLabel(row.tyyp);
    if (!label) return;
    if (!summary.empty()) summary += " — ";
    summary += labelInSentence(std::string(*label));
}

// A TEXT value: line breaks as "\n", and "\", ";" and "," after a "\".
void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '\\' || c == ';' || c == ',') out += '\\';
        out += c;
    }
}

constexpr size_t kMostLineOctets = 75;

// Where the piece of `text` that starts at `start` ends: at the text's end
// when fewer than 75 octets are left; else after the last ";", ":" or blank
// among its first 74 octets (not counting the first); else before the last
// character that starts among its first 75; else after 74 octets.
size_t foldedPieceEnd(std::string_view text, size_t start) {
    if (text.size() - start < kMostLineOctets) return text.size();
    for (size_t at = start + kMostLineOctets - 2; at > start; --at)
        if (text[at] == ';' || text[at] == ':' || text[at] == ' ') return at + 1;
    for (size_t at = start + kMostLineOctets - 1; at > start; --at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c < 0x80 || (c & 0xC0) == 0xC0) return at;
    }
    return start + kMostLineOctets - 1;
}

// Ends the content line that starts at `from` in `out` with its CRLF and
// folds it as libical folds lines: the line and its CRLF are cut into
// pieces, and each piece after the first goes on a line of its own after a
// blank.
void endLine(std::string& out, size_t from) {
    out += "\r\n";
    if (out.size() - from < kMostLineOctets) return;
    const std::string text = out.substr(from);
    out.resize(from);
    for (size_t start = 0; start < text.size();) {
        const size_t end = foldedPieceEnd(text, start);
        if (start > 0) out += "\r\n ";
        out.append(text, start, end - start);
        start = end;
    }
}

// Appends the line "NAME:text", the text escaped.
void appendTextLine(std::string& out, std::string_view name, std::string_view text) {
    const size_t from = out.size();
    out += name;
    out += ':';
    appendEscaped(out, text);
    endLine(out, from);
}

void appendAlarm(std::string& out, int daysBefore, const std::string& text) {
    out += "BEGIN:VALARM\r\nACTION:DISPLAY\r\n";
    if (daysBefore > 0) {
        out += "TRIGGER:-P";
        appendNumber(out, daysBefore);
        out += "D\r\n";
    } else {
        out += "TRIGGER:PT0S\r\n";
    }
    appendTextLine(out, "DESCRIPTION", text);
    out += "END:VALARM\r\n";
}

// An event's lines after its UID line, which the caller has just written;
// `summary` is room for its SUMMARY text.
void appendEventAfterUid(std::string& out, std::string& summary, const store::EventRow& row, MonthDay md,
                         const store::Date& today, std::optional<int> alarmDays) {
    const store::Date start{startYear(row, md, today), md.month, md.day};
    const bool leapDay = md.month == 2 && md.day == 29;
    out += "DTSTAMP:";
    appendDate(out, today);
    out += "T000000Z\r\nDTSTART;VALUE=DATE:";
    appendDate(out, start);
    out += "\r\nDTEND;VALUE=DATE:";
    appendDate(out, store::addDays(start, 1));
    out += leapDay ? "\r\nRRULE:FREQ=YEARLY;BYMONTHDAY=-1;BYMONTH=2\r\n" : "\r\nRRULE:FREQ=YEARLY\r\n";
    makeSummary(summary, row);
    appendTextLine(out, "SUMMARY", summary);
    if (row.aasta) {
        out += "DESCRIPTION:Aasta: ";
        appendNumber(out, *row.aasta);
        out += "\r\n";
    }
    if (const auto label = store::typeLabel(row.tyyp)) appendTextLine(out, "CATEGORIES", *label);
    out += "TRANSP:TRANSPARENT\r\n";
    if (alarmDays) appendAlarm(out, *alarmDays, summary);
    out += "END:VEVENT\r\n";
}

constexpr std::string_view kCalendarBegin =
    "BEGIN:VCALENDAR\r\nPRODID:-//Tarvalind//Zerizedozi//ET\r\nVERSION:2.0\r\nCALSCALE:GREGORIAN\r\n";
constexpr std::string_view kCalendarEnd = "END:VCALENDAR\r\n";

}  // namespace

std::string eventUid(const store::EventRow& row, int occurrence) {
    std::string uid;
    appendUid(uid, identityHash(row), occurrence);
    return uid;
}

int writeIcsCalendar(const std::vector<store::EventRow>& rows, const store::Date& today, std::optional<int> alarmDays,
                     const TextSink& sink) {
    std::string piece;
    piece.reserve(2 * kTextPieceSize);
    piece += kCalendarBegin;
    std::string summary;
    Occurrences occurrences;
    int eventCount = 0;
    for (const store::EventRow& row : rows) {
        const std::optional<MonthDay> md = monthDayOf(row);
        if (!md) continue;
        piece += "BEGIN:VEVENT\r\nUID:";
        appendUid(piece, identityHash(row), occurrences.next(row));
        piece += "\r\n";
        appendEventAfterUid(piece, summary, row, *md, today, alarmDays);
        ++eventCount;
        if (piece.size() >= kTextPieceSize) {
            sink(piece);
            piece.clear();
        }
    }
    piece += kCalendarEnd;
    sink(piece);
    return eventCount;
}

IcsCalendar icsCalendar(const std::vector<store::EventRow>& rows, const store::Date& today,
                        std::optional<int> alarmDays) {
    IcsCalendar result;
    result.eventCount =
        writeIcsCalendar(rows, today, alarmDays, [&result](std::string_view piece) { result.text += piece; });
    return result;
}

std::string eventIcs(const store::EventRow& row, const std::string& uid, const store::Date& today,
                     std::optional<int> alarmDays) {
    const std::optional<MonthDay> md = monthDayOf(row);
    if (!md) return {};
    std::string text(kCalendarBegin);
    text += "BEGIN:VEVENT\r\n";
    appendTextLine(text, "UID", uid);
    std::string summary;
    appendEventAfterUid(text, summary, row, *md, today, alarmDays);
    text += kCalendarEnd;
    return text;
}

int parseAlarmDays(const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int days = digits ? std::stoi(text) : -1;
    if (days < 0 || days > kMaxAlarmDays)
        throw CliError("Vigane meeldetuletuse päevade arv '" + text + "': oodati täisarvu 0 kuni " +
                       std::to_string(kMaxAlarmDays) + ".");
    return days;
}

}  // namespace cli
