// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace print {
namespace {

const store::Date kToday{2026, 12, 6};
const FilterSlots kNoFilter{};
const std::string kTabs = "\t\t";
const std::string kRule = kTabs + std::string(64, '=');
const std::string kColumnHeader =
    kTabs + " Kuupäev" + std::string(5, ' ') + "Nimi" + std::string(31, ' ') + "Vanus" + std::string(6, ' ') + "Tüüp ";
constexpr int kPageLines = 65;
constexpr int kLastPageLines = 60;

std::size_t charCount(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::string footer(int page) {
    return kTabs + "www.tarvalind.ee" + std::string(59 - 16, ' ') + "Lk " + std::to_string(page);
}

ReportRecord record(int n, std::string tyyp = "S") {
    return {store::Date{1 + n % 28, 1 + n % 12, 1 + n % 28}, "1950", "Nimi " + std::to_string(n), "76",
            std::move(tyyp)};
}

std::vector<ReportRecord> records(int count) {
    std::vector<ReportRecord> out;
    for (int n = 1; n <= count; ++n) out.push_back(record(n));
    return out;
}

std::string recordLineOf(const std::vector<ReportLine>& report, const ReportRecord& r) {
    for (const ReportLine& line : report) {
        if (line.text.find(r.nimi + " ") != std::string::npos) return line.text;
    }
    return "<missing>";
}

// The heading rows after its five leading empty lines, for a report without filter.
void expectHeadingAt(const std::vector<ReportLine>& report, std::size_t at) {
    ASSERT_GE(report.size(), at + 11);
    for (std::size_t i = at; i < at + 5; ++i) EXPECT_EQ(report[i], ReportLine{}) << "line " << i;
    EXPECT_EQ(report[at + 5], (ReportLine{kTabs + "Zerizedozi", LineStyle::Bold}));
    EXPECT_EQ(report[at + 6].text, kTabs + "Seisuga: 06.12.2026");
    EXPECT_EQ(report[at + 7], ReportLine{});
    EXPECT_EQ(report[at + 8].text, kRule);
    EXPECT_EQ(report[at + 9].text, kColumnHeader);
    EXPECT_EQ(report[at + 10].text, kRule);
}

TEST(ReportTextTest, FixedTextsHaveTheirWidths) {
    EXPECT_EQ(charCount(kColumnHeader), 2u + 64u);
    EXPECT_EQ(charCount(footer(1)), 2u + 59u + 4u);
    EXPECT_EQ(reportLinesPerPage(), kPageLines);
}

TEST(ReportTextTest, OneRecordFillsTheOnlyPage) {
    const ReportRecord r{store::Date{1970, 2, 4}, "1970", "Mari Maasikas", "56", "S"};
    const auto report = composeReport({r}, kNoFilter, kToday);

    ASSERT_EQ(report.size(), static_cast<std::size_t>(kLastPageLines));
    expectHeadingAt(report, 0);
    EXPECT_EQ(report[11].text, kTabs + " 04.02.1970  Mari Maasikas" + std::string(21, ' ') + "   56  Sünnipäev");
    for (int i = 12; i < 58; ++i) EXPECT_EQ(report[i], ReportLine{}) << "line " << i;
    EXPECT_EQ(report[58].text, kRule);
    EXPECT_EQ(report[59], (ReportLine{footer(1), LineStyle::Italic}));
}

TEST(ReportTextTest, FullPagesHaveNoFiller) {
    for (int count : {47, 94}) {
        SCOPED_TRACE(count);
        const auto report = composeReport(records(count), kNoFilter, kToday);
        const std::size_t lastRecord = report.size() - 3;
        EXPECT_EQ(report[lastRecord].text, recordLineOf(report, record(count)));
        EXPECT_EQ(report[lastRecord + 1].text, kRule);
        EXPECT_EQ(report[lastRecord + 2].text, footer(count / 47));
    }
}

TEST(ReportTextTest, RecordFortyEightStartsPageTwoUnderARepeatedHeading) {
    const auto report = composeReport(records(48), kNoFilter, kToday);

    ASSERT_EQ(report.size(), static_cast<std::size_t>(kPageLines + kLastPageLines));
    EXPECT_EQ(report[57].text, recordLineOf(report, record(47)));
    EXPECT_EQ(report[58].text, kRule);
    EXPECT_EQ(report[59], (ReportLine{footer(1), LineStyle::Italic}));
    for (int i = 60; i < 65; ++i) EXPECT_EQ(report[i], ReportLine{}) << "line " << i;
    expectHeadingAt(report, 65);
    EXPECT_EQ(report[76].text, recordLineOf(report, record(48)));
    for (int i = 77; i < 123; ++i) EXPECT_EQ(report[i], ReportLine{}) << "line " << i;
    EXPECT_EQ(report[123].text, kRule);
    EXPECT_EQ(report[124].text, footer(2));
}

TEST(ReportTextTest, EveryPageHasHeadingOnTopAndNumberedFooterAtTheBottom) {
    for (int count : {1, 46, 47, 48, 93, 94, 95, 100, 141, 142}) {
        SCOPED_TRACE(count);
        const auto report = composeReport(records(count), kNoFilter, kToday);
        const int pages = (count + 46) / 47;
        ASSERT_EQ(report.size(), static_cast<std::size_t>(kPageLines * (pages - 1) + kLastPageLines));
        for (int page = 0; page < pages; ++page) {
            const std::size_t top = static_cast<std::size_t>(page * kPageLines);
            expectHeadingAt(report, top);
            EXPECT_EQ(report[top + 58].text, kRule);
            EXPECT_EQ(report[top + 59], (ReportLine{footer(page + 1), LineStyle::Italic}));
        }
        for (int n = 1; n <= count; ++n) {
            EXPECT_NE(recordLineOf(report, record(n)), "<missing>") << "record " << n;
        }
    }
}

TEST(ReportTextTest, NoRecordsStillGiveOneBlankPage) {
    const auto report = composeReport({}, kNoFilter, kToday);

    ASSERT_EQ(report.size(), static_cast<std::size_t>(kLastPageLines));
    expectHeadingAt(report, 0);
    for (int i = 11; i < 58; ++i) EXPECT_EQ(report[i], ReportLine{}) << "line " << i;
    EXPECT_EQ(report[59].text, footer(1));
}

TEST(ReportTextTest, MonthAndTypeFilterLinesTakeRecordLines) {
    FilterSlots filter{};
    filter[1] = "3";
    filter[5] = "Tähtpäevad";
    const auto report = composeReport(records(46), filter, kToday);

    ASSERT_EQ(report.size(), static_cast<std::size_t>(kPageLines + kLastPageLines));
    EXPECT_EQ(report[7].text, kTabs + "Filter:  Kuu 3");
    EXPECT_EQ(report[8].text, kTabs + "         Tüüp Tähtpäevad");
    EXPECT_EQ(report[9], ReportLine{});
    EXPECT_EQ(report[10].text, kRule);
    EXPECT_EQ(report[11].text, kColumnHeader);
    EXPECT_EQ(report[12].text, kRule);
    EXPECT_EQ(report[13].text, recordLineOf(report, record(1)));
    EXPECT_EQ(report[57].text, recordLineOf(report, record(45)));
    EXPECT_EQ(report[58].text, kRule);
    EXPECT_EQ(report[65 + 7].text, kTabs + "Filter:  Kuu 3");
    EXPECT_EQ(report[65 + 13].text, recordLineOf(report, record(46)));
}

TEST(ReportTextTest, FilterWithoutTypeClosesWithAnIndentedBlankLine) {
    FilterSlots filter{};
    filter[0] = "5";
    const auto report = composeReport(records(1), filter, kToday);

    EXPECT_EQ(report[7].text, kTabs + "Filter:  Päev 5");
    EXPECT_EQ(report[8].text, kTabs + std::string(9, ' '));
    EXPECT_EQ(report[9].text, kRule);
    EXPECT_EQ(report[12].text, recordLineOf(report, record(1)));
    ASSERT_EQ(report.size(), static_cast<std::size_t>(kLastPageLines));
    EXPECT_EQ(report[58].text, kRule);
}

TEST(ReportTextTest, AllFilterSlotsAreListedInSlotOrder) {
    const FilterSlots filter{"5", "3", "1990", "Mari*", "36", "Sünnipäevad"};
    const auto report = composeReport(records(42), filter, kToday);

    const std::string more = kTabs + std::string(9, ' ');
    EXPECT_EQ(report[7].text, kTabs + "Filter:  Päev 5");
    EXPECT_EQ(report[8].text, more + "Kuu 3");
    EXPECT_EQ(report[9].text, more + "Aasta 1990");
    EXPECT_EQ(report[10].text, more + "Nimi Mari*");
    EXPECT_EQ(report[11].text, more + "Vanus 36");
    EXPECT_EQ(report[12].text, more + "Tüüp Sünnipäevad");
    EXPECT_EQ(report[13], ReportLine{});
    EXPECT_EQ(report[17 + 40].text, recordLineOf(report, record(41)));
    EXPECT_EQ(report[17 + 41].text, kRule);
    EXPECT_EQ(report[65 + 17].text, recordLineOf(report, record(42)));
}

TEST(ReportTextTest, RecordColumnsAreCutAndPaddedByCharacters) {
    const std::string longName = "Õie Ärni Öökull-Üllar Šašlõkk Žanna Kõiv";  // 40 characters
    ASSERT_EQ(charCount(longName), 40u);
    const ReportRecord longOne{store::Date{1, 7, 9}, "", longName, "7", "N"};
    const ReportRecord noDate{std::nullopt, "12345", "Ülo", "12345", "T"};
    const auto report = composeReport({longOne, noDate}, kNoFilter, kToday);

    EXPECT_EQ(report[11].text, kTabs + " 09.07.      Õie Ärni Öökull-Üllar Šašlõkk Žann    7   Nimepäev");
    EXPECT_EQ(report[12].text, kTabs + "       1234  Ülo" + std::string(31, ' ') + " 2345   Tähtpäev");
    EXPECT_EQ(charCount(report[11].text), 2u + 63u);
    EXPECT_EQ(charCount(report[12].text), 2u + 63u);
}

TEST(ReportTextTest, AnUnknownTypeShowsNoType) {
    const std::vector<ReportRecord> list{record(1, "M"), record(2, "x"), record(3, ""), record(4, "s"), record(5, "T")};
    const auto report = composeReport(list, kNoFilter, kToday);

    EXPECT_EQ(recordLineOf(report, list[0]).substr(2 + 54), "      Muu");
    for (int n : {1, 2, 3}) {
        EXPECT_EQ(recordLineOf(report, list[n]).substr(2 + 54), "") << list[n].tyyp;
        EXPECT_EQ(charCount(recordLineOf(report, list[n])), 2u + 54u);
    }
    EXPECT_EQ(recordLineOf(report, list[4]).substr(2 + 54), " Tähtpäev");
}

TEST(ReportTextTest, OnlyTitlesAreBoldAndOnlyFootersItalic) {
    const auto report = composeReport(records(60), kNoFilter, kToday);
    for (std::size_t i = 0; i < report.size(); ++i) {
        const bool title = report[i].text == kTabs + "Zerizedozi";
        const bool footerLine = report[i].text.rfind(kTabs + "www.tarvalind.ee", 0) == 0;
        const LineStyle expected = title ? LineStyle::Bold : footerLine ? LineStyle::Italic : LineStyle::Regular;
        EXPECT_EQ(report[i].style, expected) << "line " << i;
    }
}

TEST(ReportTextTest, DatesHaveTwoDigitDayAndMonthAndFourDigitYear) {
    const auto report = composeReport(records(1), kNoFilter, store::Date{980, 1, 2});
    EXPECT_EQ(report[6].text, kTabs + "Seisuga: 02.01.0980");
}

}  // namespace
}  // namespace print
