// SPDX-License-Identifier: GPL-3.0-or-later
// The real zerizedozi-cli notify on a private session bus, with a stand-in
// notification service that records what reaches it.
#include "cli/CalendarDays.h"
#include "store/Clock.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace cli {
namespace {

using testing::eventRow;

// A session bus of its own that starts no services.
constexpr const char* kBusConfig =
    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
    "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

struct ProcessResult {
    int status;
    std::string out;
};

class NotifyOnBus : public ::testing::Test {
protected:
    NotifyOnBus() { writeFile(dir_.file("bus.conf"), kBusConfig); }

    void writeRows(const std::vector<store::EventRow>& rows) { writeFile(dataFile(), store::writeDataPacket(rows)); }
    std::string dataFile() const { return dir_.file("Vozoraza.xml"); }
    std::string record() const { return readFile(dir_.file("record.txt")); }

    std::string notifyCommand() const { return quoted(ZERIZEDOZI_CLI_PATH) + " notify --file " + quoted(dataFile()); }
    // `command` on a private bus; with `capabilities`, the stand-in service runs beside it.
    std::string onPrivateBus(const std::string& command, const std::optional<std::string>& capabilities) const {
        std::string line =
            quoted(ZERIZEDOZI_DBUS_RUN_SESSION) + " --config-file=" + quoted(dir_.file("bus.conf")) + " -- ";
        if (capabilities)
            line += quoted(ZERIZEDOZI_NOTIFICATION_STAND_IN) + " " + quoted(dir_.file("record.txt")) + " " +
                    quoted(*capabilities) + " -- ";
        return line + command;
    }

    // Runs `command` through the shell; its stderr, the bus daemon's
    // complaints included, goes to errors().
    ProcessResult run(const std::string& command) const {
        ProcessResult result{-1, ""};
        FILE* pipe = ::popen((command + " 2>" + quoted(dir_.file("stderr.txt"))).c_str(), "r");
        if (!pipe) return result;
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
        const int status = ::pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }
    std::string errors() const { return readFile(dir_.file("stderr.txt")); }

    const store::Date today_ = store::SystemClock().today();

private:
    TempDir dir_;
};

TEST_F(NotifyOnBus, TodaysBirthdayReachesTheServiceWithItsAge) {
    const store::Date inTwoDays = addDays(today_, 2);
    writeRows({eventRow("Jüri", inTwoDays.day, inTwoDays.month, std::nullopt, "N"),
               eventRow("Mari Maasikas", today_.day, today_.month, today_.year - 40)});

    const ProcessResult sent = run(onPrivateBus(notifyCommand(), "body,actions"));
    EXPECT_EQ(sent.status, 0) << errors();
    EXPECT_EQ(sent.out, "");
    const std::string calls = record();
    EXPECT_EQ(calls.rfind("Notify\n", 0), 0u) << calls;
    EXPECT_EQ(calls.find("Notify\n", 1), std::string::npos) << "one notification only";
    EXPECT_NE(calls.find("\napp_name=Zerizedozi\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("\napp_icon=ee.tarvalind.Zerizedozi\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("\nsummary=Täna: Mari Maasikas (saab 40)\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find(", 2 päeva pärast: Jüri (Nimepäev)\n"), std::string::npos) << calls;
    EXPECT_NE(calls.find("desktop-entry:ee.tarvalind.Zerizedozi"), std::string::npos) << calls;
}

TEST_F(NotifyOnBus, TheBodyIsMarkupOnlyForAServiceThatReadsIt) {
    const store::Date tomorrow = addDays(today_, 1);
    writeRows({eventRow("Kalle & <i>Malle</i>", today_.day, today_.month, std::nullopt, "N"),
               eventRow("Tom & <b>Jerry</b>", tomorrow.day, tomorrow.month, std::nullopt, "M")});
    const std::string summary = "\nsummary=Täna: Kalle & <i>Malle</i> (nimepäev)\n";

    EXPECT_EQ(run(onPrivateBus(notifyCommand(), "body,body-markup")).status, 0) << errors();
    EXPECT_NE(record().find(", homme: Tom &amp; &lt;b&gt;Jerry&lt;/b&gt; (Muu)\n"), std::string::npos) << record();
    EXPECT_NE(record().find(summary), std::string::npos) << record();

    EXPECT_EQ(run(onPrivateBus(notifyCommand(), "body")).status, 0) << errors();
    EXPECT_NE(record().find(", homme: Tom & <b>Jerry</b> (Muu)\n"), std::string::npos) << record();
    EXPECT_NE(record().find(summary), std::string::npos) << record();
}

TEST_F(NotifyOnBus, NothingIsSentWhenNothingFallsInTheWindow) {
    const store::Date inAWeek = addDays(today_, 7);
    writeRows({eventRow("Liiga kaugel", inAWeek.day, inAWeek.month, 1990)});

    const ProcessResult quiet = run(onPrivateBus(notifyCommand(), "body"));
    EXPECT_EQ(quiet.status, 0) << errors();
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(record(), "");
}

TEST_F(NotifyOnBus, WithoutABusOrAServiceTheLinesGoToStandardOutput) {
    const store::Date tomorrow = addDays(today_, 1);
    writeRows({eventRow("Mari \x1B[2JMaasikas", today_.day, today_.month, today_.year - 40),
               eventRow("J\xC2\x9Bü\xE2\x80\xAEri", tomorrow.day, tomorrow.month, std::nullopt, "\x1B")});

    const ProcessResult noBus =
        run("DBUS_SESSION_BUS_ADDRESS=unix:path=" + quoted(dataFile() + ".no-bus") + " " + notifyCommand());
    EXPECT_EQ(noBus.status, 0);
    EXPECT_EQ(errors(), "");
    EXPECT_EQ(noBus.out.rfind("Täna: Mari  [2JMaasikas (saab 40)\n", 0), 0u) << noBus.out;
    EXPECT_TRUE(noBus.out.ends_with(", homme: J\\x9Bü\\u{202E}ri (\\x1B)\n")) << noBus.out;
    EXPECT_EQ(std::count(noBus.out.begin(), noBus.out.end(), '\n'), 2);

    const ProcessResult noService = run(onPrivateBus(notifyCommand(), std::nullopt));
    EXPECT_EQ(noService.status, 0) << errors();
    EXPECT_EQ(noService.out, noBus.out);
}

}  // namespace
}  // namespace cli
