// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataFileLock.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace cli {
namespace {

using testing::CommandRunner;
using testing::eventRow;

TEST(DataFileLock, WritingCommandsRefuseWhileTheWindowProgramHoldsIt) {
    CommandRunner runner({2026, 3, 5});
    runner.writeRows({eventRow("Olemas", 5, 3, std::nullopt)});
    writeFile(runner.file("a.vcf"), "BEGIN:VCARD\r\nFN:Mari\r\nBDAY:1980-03-05\r\nEND:VCARD\r\n");
    writeFile(runner.file("a.csv"), "Nimi;Päev;Kuu;Aasta;Tüüp\r\nJaan;6;3;;S\r\n");
    const std::vector<std::vector<std::string>> writing = {
        {"import-vcf", runner.file("a.vcf")}, {"import-csv", runner.file("a.csv")}, {"add-holidays"}};
    const std::string before = readFile(runner.dataFile());

    std::optional<store::DataFileLock> windowProgram(std::in_place, runner.dataFile());
    ASSERT_TRUE(windowProgram->holds());
    for (const auto& args : writing) {
        const testing::RunResult result = runner.run(args);
        EXPECT_EQ(result.status, kExitFailed) << args[0];
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "zerizedozi-cli: Andmefail \"" + runner.dataFile() +
                                  "\" on aknaprogrammis avatud; sulge programm ja proovi uuesti.\n");
        EXPECT_EQ(readFile(runner.dataFile()), before);
    }
    const std::string otherFile = runner.file("puudub.xml");
    const store::DataFileLock otherProgram(otherFile);
    EXPECT_EQ(runner.run({"add-holidays", "--file", otherFile}).status, kExitFailed);
    EXPECT_FALSE(store::PosixFileSystem::instance().exists(otherFile));
    for (const char* reading : {"upcoming", "export-ics", "export-csv"})
        EXPECT_EQ(runner.run({reading}).status, 0) << reading;

    windowProgram.reset();
    for (const auto& args : writing) EXPECT_EQ(runner.run(args).status, 0) << args[0];
    EXPECT_EQ(store::readDataPacket(readFile(runner.dataFile())).size(), 1u + 1u + 1u + 25u);
    EXPECT_TRUE(store::DataFileLock(runner.dataFile()).holds());  // released again

    const testing::RunResult noFolder = runner.run({"add-holidays", "--file", runner.file("pole/Vozoraza.xml")});
    EXPECT_EQ(noFolder.status, kExitFailed);
    EXPECT_EQ(noFolder.err, "zerizedozi-cli: Andmefaili lukufaili \"" + runner.file("pole/Vozoraza.xml.lock") +
                                "\" ei saa luua ega avada: sellist faili või kausta pole.\n");
}

}  // namespace
}  // namespace cli
