// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VcfImport.h"
#include "store/DataPacket.h"
#include "store/TextEncoding.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/FaultyFileSystem.h"

#include <gtest/gtest.h>

namespace cli {
namespace {

using testing::CommandRunner;
using testing::eventRow;

const store::Date kToday{2026, 3, 5};

std::string card(const std::string& name, const std::string& dateLines) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\n" + dateLines + "END:VCARD\r\n";
}

store::EventRow importedRow(std::string name, int day, int month, std::optional<int> year, std::string type,
                            store::Date kuup) {
    store::EventRow row = eventRow(std::move(name), day, month, year, std::move(type));
    row.kuup = kuup;
    return row;
}

TEST(ImportCommand, AddsBirthdaysAndAnniversariesAsRowsOfTheDataFile) {
    CommandRunner runner(kToday);
    runner.writeRows({eventRow("Olemas", 1, 1, 1950)});
    writeFile(runner.file("kontaktid.vcf"), card("Mari Maasikas", "BDAY:1980-03-05\r\nANNIVERSARY:--0624\r\n") +
                                                card("Liigaasta Laps", "BDAY:--0229\r\n") +
                                                card("Jüri", "BDAY;VALUE=text:circa 1800\r\n"));

    const testing::RunResult result = runner.run({"import-vcf", runner.file("kontaktid.vcf")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Lisatud 3, vahele jäetud 1.\n");
    EXPECT_EQ(result.err, "zerizedozi-cli: Vahele jäetud: Jüri: sünnipäev \"circa 1800\" pole kehtiv kuupäev.\n");
    EXPECT_EQ(store::readDataPacket(readFile(runner.dataFile())),
              (std::vector<store::EventRow>{eventRow("Olemas", 1, 1, 1950),
                                            importedRow("Mari Maasikas", 5, 3, 1980, "S", {1980, 3, 5}),
                                            importedRow("Mari Maasikas", 24, 6, std::nullopt, "T", {2026, 6, 24}),
                                            importedRow("Liigaasta Laps", 29, 2, std::nullopt, "S", {2024, 2, 29})}));
}

TEST(ImportCommand, EntriesAlreadyInTheListAreSkipped) {
    FaultyFileSystem files;
    CommandRunner runner(kToday, files);
    runner.writeRows({eventRow("Mari", 5, 3, 1980), eventRow("Jaan", 6, 3, std::nullopt)});
    writeFile(runner.file("a.vcf"), card("Mari", "BDAY:19800305\r\n") +                   // in the list
                                        card("Jaan", "BDAY:--0306\r\nBDAY:--0306\r\n") +  // in the list
                                        card("Mari", "ANNIVERSARY:1980-03-05\r\n") +      // another type
                                        card("Mari", "BDAY:1981-03-05\r\n") +             // another year
                                        card("Uus", "BDAY:2000-01-01\r\n") + card("Uus", "BDAY:2000-01-01\r\n"));

    EXPECT_EQ(runner.run({"import-vcf", runner.file("a.vcf")}).out, "Lisatud 3, vahele jäetud 4.\n");
    EXPECT_EQ(store::readDataPacket(readFile(runner.dataFile())).size(), 5u);
    EXPECT_EQ(files.replaceCalls, 1);

    // A second import adds nothing and leaves the file alone.
    EXPECT_EQ(runner.run({"import-vcf", runner.file("a.vcf")}).out, "Lisatud 0, vahele jäetud 7.\n");
    EXPECT_EQ(files.replaceCalls, 1);
}

TEST(ImportCommand, SkippedContactsAreNamedWithTheReason) {
    CommandRunner runner(kToday);
    runner.writeRows({});
    writeFile(runner.file("a.vcf"), card("Vale", "BDAY:1980-02-31\r\nANNIVERSARY:--0230\r\n") +
                                        card("", "BDAY:--0101\r\n") + card("Õige", "BDAY:--0101\r\n") +
                                        card("Tulevik", "BDAY:2027-01-01\r\nANNIVERSARY:2026-12-31\r\n"));
    const testing::RunResult result = runner.run({"import-vcf", runner.file("a.vcf")});
    EXPECT_EQ(result.out, "Lisatud 2, vahele jäetud 4.\n");
    EXPECT_EQ(result.err,
              "zerizedozi-cli: Vahele jäetud: Vale: sünnipäev \"1980-02-31\" pole kehtiv kuupäev.\n"
              "zerizedozi-cli: Vahele jäetud: Vale: tähtpäev \"--0230\" pole kehtiv kuupäev.\n"
              "zerizedozi-cli: Vahele jäetud: nimeta kontakt: kontaktil pole nime.\n"
              "zerizedozi-cli: Vahele jäetud: Tulevik: sünnipäev 2027-01-01 on tulevikus.\n");
}

TEST(ImportCommand, NamesAreCutTo99Characters) {
    std::string longName;
    for (int i = 0; i < 60; ++i) longName += "Õa";
    store::ClientDataSet dataSet(store::PosixFileSystem::instance());
    dataSet.open();
    std::vector<SkippedContact> skipped;
    const ImportCounts counts = importContactDates(dataSet,
                                                   {{longName, 'S', YearlyDate{1980, 1, 1}, "1980-01-01"},
                                                    {longName + "x", 'S', YearlyDate{1980, 1, 1}, "1980-01-01"}},
                                                   kToday, skipped);
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(counts.skipped, 1);
    ASSERT_EQ(dataSet.allRows().size(), 1u);
    EXPECT_EQ(store::utf8Length(dataSet.allRows()[0].nimi), 99u);
    EXPECT_TRUE(longName.starts_with(dataSet.allRows()[0].nimi));
}

TEST(ImportCommand, AMissingDataFileIsCreated) {
    CommandRunner runner(kToday);
    writeFile(runner.file("a.vcf"), card("Mari", "BDAY:1980-03-05\r\n"));
    EXPECT_EQ(runner.run({"import-vcf", runner.file("a.vcf")}).status, 0);
    EXPECT_EQ(store::readDataPacket(readFile(runner.dataFile())).size(), 1u);
}

TEST(ImportCommand, AFailedWriteLeavesTheDataFileAsItWas) {
    FaultyFileSystem files;
    CommandRunner runner(kToday, files);
    runner.writeRows({eventRow("Olemas", 1, 1, 1950)});
    const std::string before = readFile(runner.dataFile());
    writeFile(runner.file("a.vcf"), card("Mari", "BDAY:1980-03-05\r\n"));
    files.replaceFailures = 1;

    const testing::RunResult result = runner.run({"import-vcf", runner.file("a.vcf")});
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "zerizedozi-cli: Faili \"" + runner.dataFile() +
                              "\" ei saa kirjutada: kettal pole vaba ruumi.\n"
                              "zerizedozi-cli: Andmefaili ei muudetud, midagi ei lisatud.\n");
    EXPECT_EQ(readFile(runner.dataFile()), before);
}

TEST(ImportCommand, BadInputIsReportedWithoutTouchingTheDataFile) {
    FaultyFileSystem files;
    CommandRunner runner(kToday, files);
    writeFile(runner.file("pilt.vcf"), "\x89PNG\r\n\x1a\n");
    const testing::RunResult notVcard = runner.run({"import-vcf", runner.file("pilt.vcf")});
    EXPECT_EQ(notVcard.status, kExitFailed);
    EXPECT_EQ(notVcard.err, "zerizedozi-cli: " + runner.file("pilt.vcf") +
                                ": Failis pole ühtegi vCardi (rida BEGIN:VCARD puudub).\n");

    const testing::RunResult missing = runner.run({"import-vcf", runner.file("puudub.vcf")});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_EQ(missing.err, "zerizedozi-cli: Faili \"" + runner.file("puudub.vcf") +
                               "\" ei saa avada: sellist faili või kausta pole.\n");

    EXPECT_EQ(runner.run({"import-vcf"}).status, kExitUsage);
    EXPECT_EQ(runner.run({"import-vcf", "a.vcf", "b.vcf"}).status, kExitUsage);
    EXPECT_FALSE(files.exists(runner.dataFile()));
}

TEST(ImportCommand, ADamagedDataFileIsNotOverwritten) {
    CommandRunner runner(kToday);
    writeFile(runner.dataFile(), "<DATAPACKET><katki");
    writeFile(runner.file("a.vcf"), card("Mari", "BDAY:1980-03-05\r\n"));
    const testing::RunResult result = runner.run({"import-vcf", runner.file("a.vcf")});
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_TRUE(result.err.starts_with("zerizedozi-cli: Andmefail \"" + runner.dataFile() + "\" on rikutud: "))
        << result.err;
    EXPECT_EQ(readFile(runner.dataFile()), "<DATAPACKET><katki");
}

}  // namespace
}  // namespace cli
