// SPDX-License-Identifier: GPL-3.0-or-later
// The command line against hostile and unusual files: outputs that are
// links or devices, spreadsheet formulas, control characters, oversized and
// endless inputs, years at the edges.
#include "cli/ContactDates.h"
#include "cli/EventsCsv.h"
#include "cli/IcsExport.h"
#include "store/DataPacket.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

using testing::CommandRunner;
using testing::eventRow;

const store::Date kToday{2026, 3, 5};
const std::string kHeader = "Nimi;Päev;Kuu;Aasta;Tüüp\r\n";

TEST(OutputFiles, AreWrittenThroughThePathWithTheUmaskAndNeverOntoTheList) {
    CommandRunner runner(kToday);
    runner.writeRows({eventRow("Mari", 5, 3, 1980)});
    const std::string real = runner.file("päris.ics");
    const std::string link = runner.file("link.ics");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(runner.run({"export-ics", "-o", link}).status, kExitOk);
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_TRUE(readFile(real).starts_with("BEGIN:VCALENDAR"));

    const mode_t saved = ::umask(027);
    const testing::RunResult csv = runner.run({"export-csv", "-o", runner.file("a.csv")});
    ::umask(saved);
    EXPECT_EQ(csv.status, kExitOk) << csv.err;
    ASSERT_EQ(::stat(runner.file("a.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    const std::string before = readFile(runner.dataFile());
    const std::string listLink = runner.file("loend.xml");
    ASSERT_EQ(::symlink(runner.dataFile().c_str(), listLink.c_str()), 0);
    for (const std::string& target : {runner.dataFile(), listLink}) {
        const testing::RunResult onList = runner.run({"export-csv", "-o", target});
        EXPECT_EQ(onList.status, kExitFailed);
        EXPECT_EQ(onList.err, "zerizedozi-cli: Väljundfail \"" + target + "\" on andmefail ise; sinna ei kirjutata.\n");
    }
    EXPECT_EQ(readFile(runner.dataFile()), before);
}

TEST(CsvFormulas, AreNeutralisedOnExportAndComeBackOnImport) {
    const std::vector<store::EventRow> rows = {eventRow("=HYPERLINK(\"http://x\";\"Kliki\")", 1, 1, 1950),
                                               eventRow("+372 5555", 2, 1, 1950),
                                               eventRow("-Mari", 3, 1, 1950),
                                               eventRow("@Jüri", 4, 1, 1950),
                                               eventRow("'=juba märgitud", 5, 1, 1950),
                                               eventRow("'Ants", 6, 1, 1950),
                                               eventRow("Tavaline", 7, 1, 1950)};
    const std::string csv = eventsCsv(rows);
    EXPECT_NE(csv.find("\r\n\"'=HYPERLINK(\"\"http://x\"\";\"\"Kliki\"\")\";1;1;1950;S\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n'+372 5555;"), std::string::npos);
    EXPECT_NE(csv.find("\r\n'-Mari;"), std::string::npos);
    EXPECT_NE(csv.find("\r\n'@Jüri;"), std::string::npos);
    EXPECT_NE(csv.find("\r\n''=juba märgitud;"), std::string::npos);
    EXPECT_NE(csv.find("\r\n'Ants;"), std::string::npos);
    const CsvEntries back = readEventsCsv(csv, kToday.year);
    ASSERT_TRUE(back.problems.empty());
    ASSERT_EQ(back.entries.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(back.entries[i].name, rows[i].nimi);
}

TEST(ControlCharacters, NeverReachTheListOrTheTerminal) {
    const CsvEntries table = readEventsCsv(kHeader + "Es\x1B[31mc;1;2;;S\r\n" + std::string("Nul\0l;1;2;;S\r\n", 14) +
                                               "\"Tab\tja\";1;2;;S\r\nC1\xC2\x9B;1;2;;S\r\nPööra\xE2\x80\xAE;1;2;;S\r\n"
                                               "Hea nimi;1;2;;S\r\n",
                                           kToday.year);
    EXPECT_EQ(table.entries.size(), 1u);
    ASSERT_EQ(table.problems.size(), 5u);
    EXPECT_EQ(table.problems[0].what, "nimes on juhtmärk \\x1B");
    EXPECT_EQ(table.problems[4].what, "nimes on juhtmärk \\u{202E}");
    const CsvEntries longType = readEventsCsv(kHeader + "Mari;1;2;;" + std::string(100000, 'Q') + "\r\n", kToday.year);
    ASSERT_EQ(longType.problems.size(), 1u);
    EXPECT_EQ(longType.problems[0].what, "tundmatu tüüp '" + std::string(40, 'Q') +
                                             "…' (lubatud S, T, N, M või Sünnipäev, Tähtpäev, Nimepäev, Muu)");

    const std::vector<ContactDate> dates =
        readContactDates("BEGIN:VCARD\r\nFN:Mari\xC2\x85\xE2\x81\xA6Maasikas\x1B\r\nBDAY:1980-03-05\r\nEND:VCARD\r\n");
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_EQ(dates[0].name, "Mari Maasikas");

    CommandRunner runner(kToday);
    std::string packet(store::kEmptyPacket);
    packet.replace(packet.find("fieldtype=\"i2\""), 14, "fieldtype=\"\x1B]8;;http://x\x07\"");
    writeFile(runner.dataFile(), packet);
    const testing::RunResult result = runner.run({"upcoming"});
    EXPECT_EQ(result.status, kExitFailed);
    EXPECT_EQ(result.err.find('\x1B'), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\\x1B]8;;http://x\\x07"), std::string::npos) << result.err;
}

TEST(LargeInputs, AreRefusedBeforeTheyAreRead) {
    CommandRunner runner(kToday);
    runner.writeRows({});
    const std::string huge = runner.file("suur.csv");
    {
        const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, (64 << 20) + 1), 0);  // sparse: costs no disk
        ::close(fd);
    }
    const testing::RunResult big = runner.run({"import-csv", huge});
    EXPECT_EQ(big.status, kExitFailed);
    EXPECT_EQ(big.err, "zerizedozi-cli: Faili \"" + huge + "\" ei loeta: see on suurem kui 64 MiB.\n");

    const std::string fifo = runner.file("toru.xml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const testing::RunResult endless = runner.run({"upcoming", "--file", fifo});
    EXPECT_EQ(endless.status, kExitFailed);
    EXPECT_EQ(endless.err,
              "zerizedozi-cli: Faili \"" + fifo + "\" ei loeta: see pole tavaline fail (seade või toru).\n");

    std::string newlines(100000, '\n');
    const CsvEntries many = readEventsCsv(
        kHeader + newlines + std::string(5000, 'x') + "\n" + std::string(1000, '\n') +
            [] {
                std::string lines;
                for (int i = 0; i < 500; ++i) lines += "x\n";
                return lines;
            }(),
        kToday.year);
    ASSERT_EQ(many.problems.size(), 101u);
    EXPECT_EQ(many.problems.back().what, "siit alates veel 401 vigast rida");

    std::string rows;
    for (int i = 0; i < 10000; ++i) rows += "<ROW/>";
    std::string packet(store::kEmptyPacket);
    packet.insert(packet.find("</ROWDATA>"), rows);
    EXPECT_THROW(store::readDataPacket(packet), store::StoreError);
}

TEST(Years, AtTheEdgesStayInRange) {
    std::string packet(store::kEmptyPacket);
    packet.insert(packet.find("</ROWDATA>"), "<ROW Nimi=\"X\" Paev=\"1\" Kuu=\"1\" Aasta=\"-2147483648\" Tyyp=\"S\"/>");
    EXPECT_THROW(store::readDataPacket(packet), store::StoreError);

    const std::string ics = icsCalendar({eventRow("Vana", 1, 1, 1), eventRow("Tulevik", 31, 12, 3999),
                                         eventRow("Kauge", 15, 6, 9999), eventRow("Liigpäev", 29, 2, 4000)},
                                        kToday)
                                .text;
    EXPECT_EQ(ics.find("00000000"), std::string::npos) << ics;
    EXPECT_EQ(ics.find("DTSTART:"), std::string::npos) << ics;
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20261231"), std::string::npos) << ics;
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20240229"), std::string::npos) << ics;

    const std::vector<ContactDate> dates = readContactDates(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Esimene\r\nNOTE;ENCODING=QUOTED-PRINTABLE:rida=\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Teine\r\nBDAY:1980-03-05\r\nEND:VCARD\r\n");
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_EQ(dates[0].name, "Teine");
}

}  // namespace
}  // namespace cli
