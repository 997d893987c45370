// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EventsCsv.h"

#include "cli/ControlCharacters.h"
#include "cli/CsvText.h"
#include "cli/TrimBlanks.h"
#include "store/TextEncoding.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace cli {

namespace {

constexpr std::string_view kHeader = "Nimi;Päev;Kuu;Aasta;Tüüp";
constexpr size_t kColumnCount = 5;
constexpr size_t kMostProblemsShown = 100;

// A spreadsheet reads a cell starting with one of these as a formula.
bool startsAsFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

// A text that a spreadsheet would read as a formula, with a "'" before it.
// Texts that already start with "'"s before such a character get one more,
// so that removing one on reading gives back every text as it was.
std::string neutralised(const std::string& text) {
    const size_t marks = text.find_first_not_of('\'');
    return marks != std::string::npos && startsAsFormula(std::string_view(text).substr(marks)) ? "'" + text : text;
}

std::string withoutFormulaMark(const std::string& field) {
    return field.starts_with('\'') && field == neutralised(field.substr(1)) ? field.substr(1) : field;
}

std::string numberText(const auto& value) { return value ? std::to_string(*value) : std::string(); }

// The fields up to the last non-empty one.
size_t usedFieldCount(const std::vector<std::string>& fields) {
    size_t count = fields.size();
    while (count > 0 && fields[count - 1].empty()) --count;
    return count;
}

bool isHeader(const CsvRecord& record) {
    if (!record.fault.empty() || usedFieldCount(record.fields) != kColumnCount) return false;
    std::string joined = record.fields[0];
    for (size_t i = 1; i < kColumnCount; ++i) joined += ";" + record.fields[i];
    return joined == kHeader;
}

// A first record of one field that holds commas: a table written with ","
// between its fields, as spreadsheets in English do.
bool isCommaSeparated(const CsvRecord& record) {
    return record.fault.empty() && usedFieldCount(record.fields) == 1 &&
           record.fields[0].find(',') != std::string::npos;
}

// What is wrong with a record, thrown by the checks of its fields.
struct RecordProblem {
    std::string what;
};

// The number in a field of 1 to 4 digits, within 1..high.
int numberIn(const std::string& field, std::string_view what, int high) {
    const std::string_view text = trimBlanks(field);
    if (text.empty()) throw RecordProblem{std::string(what) + " puudub"};
    const bool digits =
        text.size() <= 4 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const int value = digits ? std::stoi(std::string(text)) : 0;
    if (value < 1 || value > high)
        throw RecordProblem{std::string(what) + " '" + store::shownText(text) + "' pole arv 1–" + std::to_string(high)};
    return value;
}

YearlyDate dateIn(const std::vector<std::string>& fields, int currentYear) {
    const int day = numberIn(fields[1], "päev", 31);
    const int month = numberIn(fields[2], "kuu", 12);
    std::optional<int> year;
    if (!trimBlanks(fields[3]).empty()) year = numberIn(fields[3], "aasta", 9999);
    if (year && *year > currentYear) throw RecordProblem{"aasta " + std::to_string(*year) + " on tulevikus"};
    if (year ? store::isValidDate(*year, month, day) : isMonthDay(month, day)) return {year, month, day};

    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d", day, month);
    throw RecordProblem{"kuupäeva " + std::string(text) + (year ? "." + std::to_string(*year) : "") + " pole olemas"};
}

char typeIn(const std::string& field) {
    const std::string_view text = trimBlanks(field);
    if (text.empty()) throw RecordProblem{"tüüp puudub"};
    for (const store::EventType& type : store::kEventTypes)
        if (text == std::string_view(&type.code, 1) || text == type.label) return type.code;
    throw RecordProblem{"tundmatu tüüp '" + store::shownText(text) +
                        "' (lubatud S, T, N, M või Sünnipäev, Tähtpäev, Nimepäev, Muu)"};
}

NewEntry entryOf(const CsvRecord& record, int currentYear) {
    if (!record.fault.empty()) throw RecordProblem{record.fault};
    const std::vector<std::string>& fields = record.fields;
    for (const std::string& field : fields)
        if (!store::isValidUtf8(field)) throw RecordProblem{"tekst pole UTF-8 kodeeringus"};
    const size_t used = usedFieldCount(fields);
    if (used > kColumnCount) throw RecordProblem{"liiga palju välju (" + std::to_string(used) + ", peab olema 5)"};
    if (fields.size() < kColumnCount)
        throw RecordProblem{"liiga vähe välju (" + std::to_string(fields.size()) + ", peab olema 5)"};

    const std::string name = withoutFormulaMark(fields[0]);
    if (name.empty()) throw RecordProblem{"nimi puudub"};
    for (size_t i = 0; i < name.size(); ++i)
        if (const size_t control = controlCharacterAt(std::string_view(name).substr(i)))
            throw RecordProblem{"nimes on juhtmärk " + escapeControlCharacters(name.substr(i, control))};
    if (store::utf8Length(name) > static_cast<size_t>(store::kNimiWidth))
        throw RecordProblem{"nimi on pikem kui " + std::to_string(store::kNimiWidth) + " märki"};
    const YearlyDate date = dateIn(fields, currentYear);
    return {name, typeIn(withoutFormulaMark(fields[4])), date};
}

}  // namespace

void writeEventsCsv(const std::vector<store::EventRow>& rows, const TextSink& sink) {
    std::string piece = std::string(kHeader) + "\r\n";
    for (const store::EventRow& row : rows) {
        piece += csvRecordText({neutralised(row.nimi), numberText(row.paev), numberText(row.kuu), numberText(row.aasta),
                                neutralised(row.tyyp)});
        if (piece.size() >= kTextPieceSize) {
            sink(piece);
            piece.clear();
        }
    }
    sink(piece);
}

std::string eventsCsv(const std::vector<store::EventRow>& rows) {
    std::string text;
    writeEventsCsv(rows, [&text](std::string_view piece) { text += piece; });
    return text;
}

CsvEntries readEventsCsv(std::string_view text, int currentYear) {
    CsvRecordReader reader(text);
    CsvEntries result;
    const std::optional<CsvRecord> first = reader.atEnd() ? std::nullopt : std::optional(reader.next());
    if (!first || !isHeader(*first)) {
        result.problems.push_back({1, first && isCommaSeparated(*first)
                                          ? "vale eraldaja: väljad on eraldatud komaga, kasuta semikoolonit ;"
                                          : "esimene rida peab olema päis " + std::string(kHeader)});
        return result;
    }
    int firstUnshownLine = 0;
    size_t unshown = 0;
    while (!reader.atEnd()) {
        const CsvRecord record = reader.next();
        if (record.fault.empty() && usedFieldCount(record.fields) == 0) continue;
        try {
            result.entries.push_back(entryOf(record, currentYear));
        } catch (const RecordProblem& problem) {
            if (result.problems.size() < kMostProblemsShown) {
                result.problems.push_back({record.line, problem.what});
            } else if (unshown++ == 0) {
                firstUnshownLine = record.line;
            }
        }
    }
    if (unshown > 0)
        result.problems.push_back({firstUnshownLine, "siit alates veel " + std::to_string(unshown) + " vigast rida"});
    return result;
}

}  // namespace cli
