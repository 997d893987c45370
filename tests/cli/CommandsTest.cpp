// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"
#include "store/Clock.h"
#include "store/ErrorTexts.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace cli {

using store::systemErrorText;
namespace {

using testing::CommandRunner;
using testing::eventRow;

TEST(Commands, HelpListsEveryCommandWithAnExample) {
    CommandRunner runner({2026, 3, 5});
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}, {"upcoming", "--help"}}) {
        const testing::RunResult result = runner.run(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, helpText());
        EXPECT_EQ(result.err, "");
    }
    for (const char* example :
         {"Näide: zerizedozi-cli upcoming", "Näide: zerizedozi-cli notify", "Näide: zerizedozi-cli export-ics --alarm",
          "Näide: zerizedozi-cli import-vcf", "Näide: zerizedozi-cli export-csv", "Näide: zerizedozi-cli import-csv",
          "Näide: zerizedozi-cli add-holidays", "Näide: zerizedozi-cli --help"}) {
        EXPECT_NE(helpText().find(example), std::string::npos) << example;
    }
}

TEST(Commands, AWrongCommandLineIsAUsageError) {
    CommandRunner runner({2026, 3, 5});
    runner.writeRows({});
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "Käsk puudub. Abi: zerizedozi-cli --help"},
        {{"kustuta"}, "Tundmatu käsk 'kustuta'. Abi: zerizedozi-cli --help"},
        {{"upcoming", "homme"}, "Liigne argument 'homme'."},
        {{"export-ics", "--days", "3"}, "Tundmatu võti '--days'."},
        {{"export-ics", "-o"}, "Võtmele -o puudub väärtus."},
        {{"import-vcf", "--file", "x.xml"}, "Käsk import-vcf vajab vCard-faili nime."},
        {{"import-csv"}, "Käsk import-csv vajab CSV-faili nime."},
        {{"import-csv", "a.csv", "b.csv"}, "Liigne argument 'b.csv'."},
        {{"export-csv", "--days", "3"}, "Tundmatu võti '--days'."},
        {{"add-holidays", "-o", "x"}, "Tundmatu võti '-o'."},
        {{"add-holidays", "kõik"}, "Liigne argument 'kõik'."},
        {{"notify", "--days", "0"}, "Vigane päevade arv '0': oodati täisarvu 1 kuni 366."},
        {{"notify", "-o", "x"}, "Tundmatu võti '-o'."},
        {{"export-ics", "--alarm", "366"}, "Vigane meeldetuletuse päevade arv '366': oodati täisarvu 0 kuni 365."},
        {{"export-ics", "--alarm=-1"}, "Vigane meeldetuletuse päevade arv '-1': oodati täisarvu 0 kuni 365."},
    };
    for (const auto& [args, message] : cases) {
        const testing::RunResult result = runner.run(args);
        EXPECT_EQ(result.status, kExitUsage) << message;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "zerizedozi-cli: " + message + "\n");
    }
}

TEST(Commands, AMissingListReadsAsEmpty) {
    CommandRunner runner({2026, 3, 5});
    for (const std::string& file : {runner.dataFile(), runner.file("pole/Vozoraza.xml")}) {
        const testing::RunResult upcoming = runner.run({"upcoming", "--file", file});
        EXPECT_EQ(upcoming.status, 0) << upcoming.err;
        EXPECT_EQ(upcoming.out, "Järgmise 14 päeva jooksul pole ühtegi tähtpäeva.\n");
        EXPECT_EQ(upcoming.err, "");

        const testing::RunResult csv = runner.run({"export-csv", "--file", file});
        EXPECT_EQ(csv.status, 0);
        EXPECT_EQ(csv.out, "Nimi;Päev;Kuu;Aasta;Tüüp\r\n");

        const testing::RunResult ics = runner.run({"export-ics", "--file", file});
        EXPECT_EQ(ics.status, 0);
        EXPECT_TRUE(ics.out.starts_with("BEGIN:VCALENDAR")) << ics.out;
        EXPECT_EQ(ics.out.find("BEGIN:VEVENT"), std::string::npos);

        // The reminder at login of a user who has never opened the window.
        const testing::RunResult notify = runner.run({"notify", "--file", file});
        EXPECT_EQ(notify.status, 0);
        EXPECT_EQ(notify.out + notify.err, "");
        EXPECT_TRUE(runner.notifications().shown.empty());
        EXPECT_FALSE(std::filesystem::exists(file)) << "reading created the list";
    }
}

TEST(Commands, EveryErrorIsEstonianAndNamesTheFile) {
    CommandRunner runner({2026, 3, 5});
    const std::string data = runner.dataFile();
    const std::string quoted = "\"" + data + "\"";
    const auto replaced = [](std::string text, std::string_view from, std::string_view to) {
        return text.replace(text.find(from), from.size(), to);
    };
    const std::string empty(store::kEmptyPacket);
    const std::string noKuup = replaced(empty, R"(<FIELD attrname="Kuup" fieldtype="date"/>)", "");
    const std::string textDay = replaced(empty, R"("Paev" fieldtype="i2")", R"("Paev" fieldtype="string")");
    const std::string badMonth =
        replaced(store::writeDataPacket({eventRow("Mari", 5, 3, 1980)}), R"(Kuu="3")", R"(Kuu="3x")");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "Andmefail " + quoted + " on tühi."},
        {"<html><body/></html>", "Fail " + quoted + " pole tähtpäevade andmefail."},
        {"<DATAPACKET><katki", "Andmefail " + quoted + " on rikutud: XML-i viga baidil 17."},
        {noKuup, "Andmefail " + quoted + " on rikutud: väli \"Kuup\" puudub."},
        {textDay, "Andmefail " + quoted + " on rikutud: välja \"Paev\" tüüp \"string\" on vale."},
        {badMonth, "Andmefail " + quoted + " on rikutud: väljal \"Kuu\" on vigane väärtus \"3x\"."},
    };
    for (const auto& [content, message] : cases) {
        writeFile(data, content);
        for (const char* command : {"upcoming", "export-csv", "add-holidays"}) {
            const testing::RunResult result = runner.run({command});
            EXPECT_EQ(result.status, kExitFailed) << command;
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, "zerizedozi-cli: " + message + "\n") << command;
        }
        EXPECT_EQ(readFile(data), content) << "a damaged list was overwritten";
    }

    // The file system's refusals, in its own words turned Estonian.
    const std::string notFolder = runner.file("Vozoraza.xml/alam.xml");
    EXPECT_EQ(runner.run({"upcoming", "--file", notFolder}).err,
              "zerizedozi-cli: Faili \"" + notFolder + "\" ei saa avada: asukoha mõni osa pole kaust.\n");
    std::filesystem::create_directory(runner.file("kaust.xml"));
    EXPECT_EQ(runner.run({"export-ics", "--file", runner.file("kaust.xml")}).err,
              "zerizedozi-cli: Faili \"" + runner.file("kaust.xml") + "\" ei saa lugeda: see on kaust, mitte fail.\n");
    std::filesystem::create_symlink("ring.xml", runner.file("ring.xml"));
    EXPECT_EQ(runner.run({"export-csv", "--file", runner.file("ring.xml")}).err,
              "zerizedozi-cli: Faili \"" + runner.file("ring.xml") +
                  "\" ei saa avada: nimeviide on liiga palju või nimeviita ei järgita.\n");
    EXPECT_EQ(
        runner.run({"import-csv", runner.file("puudub.csv")}).err,
        "zerizedozi-cli: Faili \"" + runner.file("puudub.csv") + "\" ei saa avada: sellist faili või kausta pole.\n");
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> savedConfigHome =
        configHome ? std::optional<std::string>(configHome) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", data.c_str(), 1);
    const std::string setUp =
        runner.run({"sync", "--setup", "http://127.0.0.1:9/", "--user", "mari", "--password-command", "echo x"}).err;
    savedConfigHome ? ::setenv("XDG_CONFIG_HOME", savedConfigHome->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(setUp.starts_with("zerizedozi-cli: Kausta \"" + data + "/")) << setUp;
    EXPECT_TRUE(setUp.ends_with("\" ei saa luua: asukoha mõni osa pole kaust.\n")) << setUp;

    EXPECT_EQ(systemErrorText(EACCES), "juurdepääs on keelatud");
    EXPECT_EQ(systemErrorText(EROFS), "failisüsteem on ainult lugemiseks");
    EXPECT_EQ(systemErrorText(ENOSPC), "kettal pole vaba ruumi");
    EXPECT_EQ(systemErrorText(EMFILE), "avatud faile on liiga palju");
    EXPECT_EQ(systemErrorText(EXDEV), "süsteemi veakood " + std::to_string(EXDEV));
}

TEST(Commands, FileOptionChoosesAnotherDataFile) {
    CommandRunner runner({2026, 3, 5});
    runner.writeRows({});
    writeFile(runner.file("muu.xml"), store::writeDataPacket({eventRow("Teises failis", 5, 3, std::nullopt)}));
    EXPECT_EQ(runner.run({"upcoming", "--file", runner.file("muu.xml")}).out,
              "05.03. neljapäev, täna: Teises failis (Sünnipäev)\n");
    EXPECT_EQ(runner.run({"upcoming", "--file=" + runner.file("muu.xml")}).status, 0);
}

// The real program, copied into a fresh folder: it finds the data file
// beside itself and reports through its exit status.
TEST(Commands, TheProgramUsesTheDataFileBesideIt) {
    TempDir dir;
    const std::string program = dir.file("zerizedozi-cli");
    std::filesystem::copy_file(ZERIZEDOZI_CLI_PATH, program);
    const store::Date today = store::SystemClock().today();
    writeFile(dir.file("Vozoraza.xml"),
              store::writeDataPacket({eventRow("Täna on pidu", today.day, today.month, std::nullopt, "M")}));

    auto run = [](const std::string& command, std::string& out) {
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
        return WEXITSTATUS(::pclose(pipe));
    };
    std::string out;
    EXPECT_EQ(run("cd / && '" + program + "' upcoming --days 1 2>&1", out), 0);
    EXPECT_NE(out.find(", täna: Täna on pidu (Muu)\n"), std::string::npos) << out;

    out.clear();
    EXPECT_EQ(run("'" + program + "' upcoming --days x 2>/dev/null", out), kExitUsage);
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace cli
