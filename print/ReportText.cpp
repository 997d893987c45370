// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportText.h"

#include "store/EventRecord.h"
#include "store/ProgramName.h"
#include "store/TextEncoding.h"

namespace print {
namespace {

constexpr std::string_view kIndent = "\t\t";
constexpr std::string_view kColumnHeader = " Kuupäev     Nimi                               Vanus      Tüüp ";
constexpr std::size_t kRuleWidth = 64;
constexpr std::size_t kFooterHostWidth = 59;
constexpr int kPageLines = 65;
constexpr int kRecordLinesWithoutFilter = 47;
constexpr int kEmptyLinesBetweenPages = 5;
constexpr std::array<std::string_view, store::kListColumns> kFilterLabels = {"Päev ", "Kuu ",   "Aasta ",
                                                                             "Nimi ", "Vanus ", "Tüüp "};
constexpr std::size_t kTypeWidth = 9;

// Exactly `width` characters: cut, or padded with spaces on the right.
std::string leftAligned(std::string_view text, std::size_t width) {
    return std::string(store::utf8Prefix(std::string(text) + std::string(width, ' '), width));
}

// Exactly `width` characters: the last ones, padded with spaces on the left.
std::string rightAligned(std::string_view text, std::size_t width) {
    return std::string(store::utf8Suffix(std::string(width, ' ') + std::string(text), width));
}

std::string indented(std::string_view text) { return std::string(kIndent) + std::string(text); }

int recordLinesPerPage(const FilterSlots& filter) {
    int slotsSet = 0;
    for (const std::string& slot : filter) slotsSet += slot.empty() ? 0 : 1;
    return kRecordLinesWithoutFilter - slotsSet;
}

void appendEmptyLines(std::vector<ReportLine>& out, int count) {
    for (int i = 0; i < count; ++i) out.push_back({});
}

void appendRule(std::vector<ReportLine>& out) { out.push_back({indented(std::string(kRuleWidth, '='))}); }

void appendPageEnd(std::vector<ReportLine>& out, int page) {
    appendRule(out);
    out.push_back(
        {indented(leftAligned(store::kHomeHost, kFooterHostWidth) + "Lk " + std::to_string(page)), LineStyle::Italic});
}

void appendFilterBlock(std::vector<ReportLine>& out, const FilterSlots& filter) {
    const std::string continuation(9, ' ');
    bool first = true;
    for (std::size_t slot = 0; slot < filter.size(); ++slot) {
        if (filter[slot].empty()) continue;
        out.push_back(
            {indented((first ? "Filter:  " : continuation) + std::string(kFilterLabels[slot]) + filter[slot])});
        first = false;
    }
    if (first) {
        out.push_back({});
    } else {
        out.push_back({filter[store::ColTyyp].empty() ? indented(continuation) : ""});
    }
}

std::string recordLine(const ReportRecord& record, std::string_view typeText) {
    std::string line = indented(" ");
    line += record.kuup ? store::formatDate(*record.kuup).substr(0, 6) : std::string(6, ' ');
    line += leftAligned(record.aasta, 4) + "  ";
    line += leftAligned(record.nimi, 34) + " ";
    line += rightAligned(record.vanus, 4) + "  ";
    line += typeText;
    return line;
}

}  // namespace

void Pealkiri(std::vector<ReportLine>& out, const FilterSlots& filter, const store::Date& today) {
    appendEmptyLines(out, kEmptyLinesBetweenPages);
    out.push_back({indented(store::kProgramName), LineStyle::Bold});
    out.push_back({indented("Seisuga: " + store::formatDate(today))});
    appendFilterBlock(out, filter);
    appendRule(out);
    out.push_back({indented(kColumnHeader)});
    appendRule(out);
}

std::vector<ReportLine> composeReport(const std::vector<ReportRecord>& records, const FilterSlots& filter,
                                      const store::Date& today) {
    const int perPage = recordLinesPerPage(filter);
    std::vector<ReportLine> out;
    int page = 1;
    Pealkiri(out, filter, today);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0 && i % perPage == 0) {
            appendPageEnd(out, page++);
            appendEmptyLines(out, kEmptyLinesBetweenPages);
            Pealkiri(out, filter, today);
        }
        const auto label = store::typeLabel(records[i].tyyp);
        out.push_back({recordLine(records[i], label ? rightAligned(*label, kTypeWidth) : std::string())});
    }
    const int onLastPage = records.empty() ? 0 : static_cast<int>((records.size() - 1) % perPage) + 1;
    appendEmptyLines(out, perPage - onLastPage);
    appendPageEnd(out, page);
    return out;
}

int reportLinesPerPage() { return kPageLines; }

}  // namespace print
