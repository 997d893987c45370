#include "cli/Commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "store/Clock.h"
#include "tests/cli/CliTestSupport.h"

namespace cli {
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
    for (const char* example : {"Näide: zerizedozi-cli upcoming", "Näide: zerizedozi-cli notify",
                                "Näide: zerizedozi-cli export-ics --alarm",
                                "Näide: zerizedozi-cli import-vcf", "Näide: zerizedozi-cli export-csv",
                                "Näide: zerizedozi-cli import-csv", "Näide: zerizedozi-cli add-holidays",
                                "Näide: zerizedozi-cli --help"}) {
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

TEST(Commands, StoreErrorsAreReportedAsTheStoreWordsThem) {
    CommandRunner runner({2026, 3, 5});
    const testing::RunResult missing = runner.run({"upcoming"});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "zerizedozi-cli: ClientDataSet1: Cannot open file \"" + runner.dataFile() +
                               "\": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(runner.dataFile()));

    writeFile(runner.dataFile(), "");
    EXPECT_EQ(runner.run({"export-ics"}).err, "zerizedozi-cli: ClientDataSet1: Missing data provider or data packet\n");
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
