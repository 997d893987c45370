// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliError.h"
#include "cli/ContactDates.h"
#include "cli/VcardProperties.h"
#include "store/TextEncoding.h"

#include <gtest/gtest.h>

#include <random>

namespace cli {
namespace {

YearlyDate on(int year, int month, int day) { return {year, month, day}; }
YearlyDate yearly(int month, int day) { return {std::nullopt, month, day}; }

TEST(VcardDate, FullDatesDateTimesAndDatesWithoutYear) {
    EXPECT_EQ(readVcardDate("1980-03-05"), on(1980, 3, 5));
    EXPECT_EQ(readVcardDate("19800305"), on(1980, 3, 5));
    EXPECT_EQ(readVcardDate("19800305T000000Z"), on(1980, 3, 5));
    EXPECT_EQ(readVcardDate("1980-03-05T10:00:00+02:00"), on(1980, 3, 5));
    EXPECT_EQ(readVcardDate("  1980-03-05 "), on(1980, 3, 5));
    EXPECT_EQ(readVcardDate("--0305"), yearly(3, 5));
    EXPECT_EQ(readVcardDate("--03-05"), yearly(3, 5));
    EXPECT_EQ(readVcardDate("--0229"), yearly(2, 29));
    EXPECT_EQ(readVcardDate("2000-02-29"), on(2000, 2, 29));
}

TEST(VcardDate, AnythingElseIsNoDate) {
    for (const char* bad : {"",
                            "1980-02-30",
                            "1981-02-29",
                            "1900-02-29",
                            "--0230",
                            "--1301",
                            "--0001",
                            "0000-03-05",
                            "1980-3-5",
                            "1980-0305",
                            "198003-05",
                            "1980",
                            "1980-03",
                            "---05",
                            "--03",
                            "--03-5",
                            "--0305T00",
                            "circa 1800",
                            "1980-03-05x",
                            "T000000Z",
                            "١٩٨٠-٠٣-٠٥",
                            "1980-03-0\xC3\xA4"}) {
        EXPECT_EQ(readVcardDate(bad), std::nullopt) << bad;
    }
}

TEST(VcardProperties, GroupsParametersAndQuotes) {
    const auto properties = readVcardProperties(
        "item1.BDAY;VALUE=date:1980-03-05\r\n"
        "bday;x-label=\"a:b;c\";TYPE=home,work:--0305\n"
        "no colon here\n"
        "FN;QUOTED-PRINTABLE;CHARSET=UTF-8:=C3=95ie\n");
    ASSERT_EQ(properties.size(), 3u);
    EXPECT_EQ(properties[0].name, "BDAY");
    EXPECT_EQ(properties[0].param("VALUE"), "date");
    EXPECT_EQ(properties[0].value, "1980-03-05");
    EXPECT_EQ(properties[1].name, "BDAY");
    EXPECT_EQ(properties[1].param("X-LABEL"), "a:b;c");
    EXPECT_EQ(properties[1].param("TYPE"), "home,work");
    EXPECT_EQ(properties[1].value, "--0305");
    EXPECT_EQ(properties[2].param("ENCODING"), "QUOTED-PRINTABLE");
    EXPECT_EQ(properties[2].value, "Õie");
}

TEST(VcardProperties, BytesThatAreNotUtf8AreReadAsWindows1257) {
    const auto properties = readVcardProperties("FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=FCri =D5un\r\n");
    ASSERT_EQ(properties.size(), 1u);
    EXPECT_EQ(properties[0].value, "Jüri Õun");
}

TEST(ContactDates, Version21QuotedPrintableNamesWithSoftLineBreaks) {
    const auto dates = readContactDates(
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=95un=C3=A4puu;J=C3=BC=\r\n"
        "ri;;;\r\n"
        "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=BCri =C3=95un=C3=A4puu =\r\n"
        "=C5=A0=C5=BE=3D\r\n"
        "BDAY:19800305\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Tamm;=C3=9Clle;Mai;;\r\n"
        "BDAY:--1224\r\n"
        "END:VCARD\r\n");
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(dates[0].name, "Jüri Õunäpuu Šž=");
    EXPECT_EQ(dates[0].type, 'S');
    EXPECT_EQ(dates[0].date, on(1980, 3, 5));
    EXPECT_EQ(dates[1].name, "Ülle Mai Tamm");
    EXPECT_EQ(dates[1].date, yearly(12, 24));
}

TEST(ContactDates, Version30FoldedLinesGroupsAndEscapes) {
    const auto dates = readContactDates(
        "BEGIN:VCARD\n"
        "VERSION:3.0\n"
        "FN:Mari-Liis\r\n"
        "  Kask\\, Tamm\\; \n"
        "\tjunior\n"
        "N:Kask;Mari-Liis;;;\n"
        "item1.BDAY;VALUE=date:1975-\r\n"
        " 12-31\n"
        "item2.X-ABDATE:2001-01-01\n"
        "item3.ANNIVERSARY;VALUE=date:2000-06-\n"
        " 17\n"
        "END:VCARD\n");
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(dates[0].name, "Mari-Liis Kask, Tamm; junior");
    EXPECT_EQ(dates[0].date, on(1975, 12, 31));
    EXPECT_EQ(dates[1].type, 'T');
    EXPECT_EQ(dates[1].date, on(2000, 6, 17));
}

TEST(ContactDates, Version40DatesWithoutYear) {
    const auto dates = readContactDates(
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Peeter\r\nBDAY:--0305\r\nANNIVERSARY:--06-24\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Apple\r\nBDAY;X-APPLE-OMIT-YEAR=1604:1604-02-29\r\nEND:VCARD\r\n");
    ASSERT_EQ(dates.size(), 3u);
    EXPECT_EQ(dates[0].date, yearly(3, 5));
    EXPECT_EQ(dates[1].type, 'T');
    EXPECT_EQ(dates[1].date, yearly(6, 24));
    EXPECT_EQ(dates[2].date, yearly(2, 29));
}

TEST(ContactDates, InvalidDatesAndNamelessCardsAreStillReported) {
    const auto dates = readContactDates(
        "BEGIN:VCARD\nFN:Vale\nBDAY:1980-02-31\nEND:VCARD\n"
        "BEGIN:VCARD\nFN: \nBDAY:1980-01-01\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Ilma kuupäevata\nEND:VCARD\n");
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(dates[0].date, std::nullopt);
    EXPECT_EQ(dates[1].name, "");
    EXPECT_EQ(dates[1].date, on(1980, 1, 1));
}

TEST(ContactDates, NestedCardsAreIgnoredAndACutOffCardCounts) {
    const auto dates = readContactDates(
        "begin:vcard\nFN:Välimine\nBEGIN:VCARD\nFN:Sisemine\nBDAY:1999-09-09\nEND:VCARD\nBDAY:1980-01-02\n"
        "end:vcard\n"
        "BDAY:1970-07-07\n"
        "BEGIN:VCARD\nFN:Pooleli\nBDAY:1990-10-10");
    ASSERT_EQ(dates.size(), 2u);
    EXPECT_EQ(dates[0].name, "Välimine");
    EXPECT_EQ(dates[0].date, on(1980, 1, 2));
    EXPECT_EQ(dates[1].name, "Pooleli");
    EXPECT_EQ(dates[1].date, on(1990, 10, 10));
}

TEST(ContactDates, TextWithoutACardIsAnError) {
    EXPECT_THROW(readContactDates(""), CliError);
    EXPECT_THROW(readContactDates("FN:Keegi\nBDAY:1980-01-01\n"), CliError);
    EXPECT_THROW(readContactDates(std::string("\0\xff\xfe", 3)), CliError);
    EXPECT_NO_THROW(
        readContactDates("\xEF\xBB\xBF"
                         "BEGIN:VCARD\nEND:VCARD\n"));
}

// Damaged vCards: cut short, bytes flipped or dropped, lines doubled. Every
// one gives an error or dates with valid UTF-8 names, and nothing crashes.
TEST(ContactDates, DamagedInputNeverCrashes) {
    const std::string good =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=95un;J=C3=BC=\r\nri;;;\r\n"
        "FN;ENCODING=QUOTED-PRINTABLE:J=C3=BCri=\r\n=20=C3\r\nitem1.BDAY;VALUE=\"da;te\":1980-03-05\r\n"
        "ANNIVERSARY:--0229\r\nEND:VCARD\r\nBEGIN:VCARD\nFN:A\\,\n b\\\nBDAY:19800305T000000Z\nEND:VCARD\n";
    std::mt19937 random(20260305);
    int errors = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = good;
        const int changes = 1 + static_cast<int>(random() % 6);
        for (int c = 0; c < changes && !damaged.empty(); ++c) {
            const size_t at = random() % damaged.size();
            switch (random() % 4) {
                case 0: damaged[at] = static_cast<char>(random() % 256); break;
                case 1: damaged.erase(at, 1 + random() % 8); break;
                case 2: damaged.insert(at, damaged.substr(at, random() % 40)); break;
                case 3: damaged.resize(at); break;
            }
        }
        try {
            for (const ContactDate& date : readContactDates(damaged)) {
                EXPECT_TRUE(store::isValidUtf8(date.name));
                EXPECT_EQ(date.name.find('\n'), std::string::npos);
                if (date.date) {
                    EXPECT_TRUE(isMonthDay(date.date->month, date.date->day));
                }
            }
        } catch (const CliError&) {
            ++errors;
        }
    }
    EXPECT_GT(errors, 0);
}

}  // namespace
}  // namespace cli
