// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CsvText.h"
#include "cli/EventsCsv.h"
#include "store/DataPacket.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

using testing::CommandRunner;
using testing::eventRow;

const store::Date kToday{2026, 3, 5};
const std::string kHeader = "Nimi;Päev;Kuu;Aasta;Tüüp\r\n";

std::vector<std::vector<std::string>> fieldsOf(const std::vector<CsvRecord>& records) {
    std::vector<std::vector<std::string>> fields;
    for (const CsvRecord& record : records) fields.push_back(record.fields);
    return fields;
}

TEST(CsvText, QuotesWhatNeedsItAndReadsItBack) {
    EXPECT_EQ(csvRecordText({"Mari", "5", ""}), "Mari;5;\r\n");
    EXPECT_EQ(csvRecordText({"a;b", "ta ütles \"tere\"", "kaks\nrida", "cr\r", " "}),
              "\"a;b\";\"ta ütles \"\"tere\"\"\";\"kaks\nrida\";\"cr\r\"; \r\n");

    const std::vector<CsvRecord> records = readCsvRecords(
        "\xEF\xBB\xBF"
        "a;\"b;\"\"c\"\"\"\r\n"  // line 1
        "\"kaks\r\nrida\";x\n"   // lines 2-3
        "\n"                     // line 4: one empty field
        "lõpp;\r"                // line 5, a lone CR ends it
        "viimane");              // line 6, no line end
    EXPECT_EQ(fieldsOf(records), (std::vector<std::vector<std::string>>{
                                     {"a", "b;\"c\""}, {"kaks\r\nrida", "x"}, {""}, {"lõpp", ""}, {"viimane"}}));
    std::vector<int> lines;
    for (const CsvRecord& record : records) {
        lines.push_back(record.line);
        EXPECT_EQ(record.fault, "");
    }
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 4, 5, 6}));
    EXPECT_TRUE(readCsvRecords("").empty());
    EXPECT_EQ(readCsvRecords("a\r\n").size(), 1u);

    const std::vector<CsvRecord> broken = readCsvRecords("\"a\"b;c\nok\n\"lahti\njääb");
    ASSERT_EQ(broken.size(), 3u);
    EXPECT_EQ(broken[0].fields, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(broken[0].fault, "jutumärkides välja järel on liigseid märke");
    EXPECT_EQ(broken[1].fault, "");
    EXPECT_EQ(broken[2].line, 3);
    EXPECT_EQ(broken[2].fault, "jutumärgid jäävad faili lõpuni sulgemata");
}

TEST(EventsCsv, EveryBadRecordIsNamedByItsLine) {
    const std::string longName(100, 'x');
    const CsvEntries table = readEventsCsv(kHeader +
                                               "Hea;1;2;;S\r\n"            // 2
                                               ";1;2;;S\r\n"               // 3
                                               "Mari;31;2;;S\r\n"          // 4
                                               "Mari;29;2;2023;S\r\n"      // 5
                                               "Mari;x;2;;S\r\n"           // 6
                                               "Mari;1;13;;S\r\n"          // 7
                                               "Mari;1;2;0;S\r\n"          // 8
                                               "Mari;1;2;;X\r\n"           // 9
                                               "Mari;1;2\r\n"              // 10
                                               "Mari;1;2;;S;liigne\r\n"    // 11
                                               "\"Mitu\nrida\";;2;;S\r\n"  // 12-13
                                               "P\xE4"
                                               "ev;1;2;;S\r\n"  // 14
                                               + longName +
                                               ";1;2;;S\r\n"           // 15
                                               "Mari;1;;;S\r\n"        // 16
                                               "Mari;1;2;;\r\n"        // 17
                                               "Mari;1;2;2027;S\r\n"   // 18
                                               "Mari;1;2;2026;S\r\n",  // 19
                                           2026);
    EXPECT_EQ(table.entries.size(), 2u);
    const std::vector<std::pair<int, std::string>> expected = {
        {3, "nimi puudub"},
        {4, "kuupäeva 31.02 pole olemas"},
        {5, "kuupäeva 29.02.2023 pole olemas"},
        {6, "päev 'x' pole arv 1–31"},
        {7, "kuu '13' pole arv 1–12"},
        {8, "aasta '0' pole arv 1–9999"},
        {9, "tundmatu tüüp 'X' (lubatud S, T, N, M või Sünnipäev, Tähtpäev, Nimepäev, Muu)"},
        {10, "liiga vähe välju (3, peab olema 5)"},
        {11, "liiga palju välju (6, peab olema 5)"},
        {12, "nimes on juhtmärk \\x0A"},
        {14, "tekst pole UTF-8 kodeeringus"},
        {15, "nimi on pikem kui 99 märki"},
        {16, "kuu puudub"},
        {17, "tüüp puudub"},
        {18, "aasta 2027 on tulevikus"},
    };
    std::vector<std::pair<int, std::string>> problems;
    for (const CsvProblem& problem : table.problems) problems.emplace_back(problem.line, problem.what);
    EXPECT_EQ(problems, expected);

    for (const std::string& header : {std::string(""), std::string("Mari;1;2;;S\r\n")}) {
        const CsvEntries noHeader = readEventsCsv(header, 2026);
        ASSERT_EQ(noHeader.problems.size(), 1u) << header;
        EXPECT_EQ(noHeader.problems[0].line, 1);
        EXPECT_EQ(noHeader.problems[0].what, "esimene rida peab olema päis Nimi;Päev;Kuu;Aasta;Tüüp");
        EXPECT_TRUE(noHeader.entries.empty());
    }
    const CsvEntries commas = readEventsCsv("Nimi,Päev,Kuu,Aasta,Tüüp\r\nMari,1,2,,S\r\n", 2026);
    ASSERT_EQ(commas.problems.size(), 1u);
    EXPECT_EQ(commas.problems[0].line, 1);
    EXPECT_EQ(commas.problems[0].what, "vale eraldaja: väljad on eraldatud komaga, kasuta semikoolonit ;");
    EXPECT_TRUE(commas.entries.empty());
}

// A long list, in the list's order, goes out in many pieces.
TEST(CsvCommands, ExportThenImportGivesTheSameRows) {
    CommandRunner runner(kToday);
    std::vector<store::EventRow> rows = {
        eventRow("Jüri \"Juku\" Õunapuu; noorem", 1, 1, 1950, "S"),
        eventRow("Šveitsi sõbrad ja Žanna, Ülle, Ärni", 29, 2, std::nullopt, "N"),
        eventRow("   ", 29, 2, 2024, "M"),
        eventRow("Pulmapäev", 24, 6, 1999, "T"),
    };
    for (int i = 1000; i < 6000; ++i) rows.push_back(eventRow("Nimi " + std::to_string(i), 31, 12, 1950, "S"));
    runner.writeRows(rows);

    const testing::RunResult exported = runner.run({"export-csv", "-o", runner.file("a.csv")});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "Kirjutatud 5004 tähtpäeva faili " + runner.file("a.csv") + ".\n");
    const std::string csv = readFile(runner.file("a.csv"));
    EXPECT_TRUE(csv.starts_with(kHeader + "\"Jüri \"\"Juku\"\" Õunapuu; noorem\";1;1;1950;S\r\n")) << csv;
    EXPECT_EQ(runner.run({"export-csv"}).out, csv);

    const testing::RunResult imported =
        runner.run({"import-csv", runner.file("a.csv"), "--file", runner.file("uus.xml")});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "Lisatud 5004, vahele jäetud 0.\n");
    std::vector<store::EventRow> expected = rows;
    expected[1].kuup = store::Date{2024, 2, 29};  // without a year: in the latest leap year
    EXPECT_EQ(store::readDataPacket(readFile(runner.file("uus.xml"))), expected);
}

// The list's order: month, day, year (none first), then the name byte by byte.
TEST(CsvCommands, ExportListsTheRowsInTheListsOrder) {
    CommandRunner runner(kToday);
    runner.writeRows({eventRow("Õie", 5, 3, 1980), eventRow("Ants", 5, 3, 1980), eventRow("Ülo", 1, 1, std::nullopt),
                      eventRow("Zeno", 5, 3, std::nullopt), eventRow("Aadu", 24, 12, 1999),
                      eventRow("Mari", 5, 3, 1970), eventRow("Bert", 1, 1, std::nullopt)});
    EXPECT_EQ(runner.run({"export-csv"}).out, kHeader +
                                                  "Bert;1;1;;S\r\n"
                                                  "Ülo;1;1;;S\r\n"
                                                  "Zeno;5;3;;S\r\n"
                                                  "Mari;5;3;1970;S\r\n"
                                                  "Ants;5;3;1980;S\r\n"
                                                  "Õie;5;3;1980;S\r\n"
                                                  "Aadu;24;12;1999;S\r\n");
}

TEST(CsvCommands, ABadRowLeavesTheDataFileAsItWas) {
    CommandRunner runner(kToday);
    runner.writeRows({eventRow("Olemas", 1, 1, 1950)});
    const std::string before = readFile(runner.dataFile());
    writeFile(runner.file("a.csv"), kHeader + "Hea;1;2;;S\r\nVale;30;2;;T\r\n\"Kaks; rida\";1;2;;Q\r\n");

    const testing::RunResult result = runner.run({"import-csv", runner.file("a.csv")});
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_EQ(result.out, "");
    const std::string prefix = "zerizedozi-cli: " + runner.file("a.csv");
    EXPECT_EQ(result.err,
              prefix + ", rida 3: kuupäeva 30.02 pole olemas\n" + prefix +
                  ", rida 4: tundmatu tüüp 'Q' (lubatud S, T, N, M või Sünnipäev, Tähtpäev, Nimepäev, Muu)\n"
                  "zerizedozi-cli: Failis on vigaseid ridu; andmefaili ei muudetud, midagi ei lisatud.\n");
    EXPECT_EQ(readFile(runner.dataFile()), before);

    EXPECT_EQ(runner.run({"import-csv"}).status, kExitUsage);
    EXPECT_EQ(runner.run({"import-csv", runner.file("puudub.csv")}).status, kExitFailed);
    EXPECT_EQ(readFile(runner.dataFile()), before);
}

TEST(CsvCommands, SpreadsheetFilesWithBomAndLabelsImportAndDuplicatesAreSkipped) {
    CommandRunner runner(kToday);
    runner.writeRows({eventRow("Mari", 5, 3, 1980, "S")});
    writeFile(runner.file("a.csv"), "\xEF\xBB\xBF" + kHeader +
                                        "Mari;05;03;1980;Sünnipäev;;\r\n"  // in the list
                                        ";;;;\r\n"                         // an empty row
                                        "Jaan; 6 ; 3 ;; N \r\n"
                                        "Jaan;6;3;;Nimepäev\r\n"  // repeated
                                        "Mari;5;3;;S\r\n");       // another row: no year
    const testing::RunResult result = runner.run({"import-csv", runner.file("a.csv")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Lisatud 2, vahele jäetud 2.\n");
    store::EventRow jaan = eventRow("Jaan", 6, 3, std::nullopt, "N");
    store::EventRow mari = eventRow("Mari", 5, 3, std::nullopt, "S");
    jaan.kuup = store::Date{2026, 3, 6};
    mari.kuup = store::Date{2026, 3, 5};
    EXPECT_EQ(store::readDataPacket(readFile(runner.dataFile())),
              (std::vector<store::EventRow>{eventRow("Mari", 5, 3, 1980, "S"), jaan, mari}));

    writeFile(runner.file("lf.csv"), "Nimi;Päev;Kuu;Aasta;Tüüp\nUus;1;1;;M\n");
    EXPECT_EQ(runner.run({"import-csv", runner.file("lf.csv")}).out, "Lisatud 1, vahele jäetud 0.\n");
}

}  // namespace
}  // namespace cli
