// SPDX-License-Identifier: GPL-3.0-or-later
// zerizedozi-cli sync against a real Radicale on loopback, with vdirsyncer,
// and a phone that speaks CalDAV to the same collection.
#include "cli/ChildProcess.h"
#include "store/DataFileLock.h"
#include "store/DataPacket.h"
#include "tests/cli/CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <random>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace cli {
namespace {

using testing::eventRow;
using namespace std::chrono_literals;

constexpr const char* kPassword = "salakala";

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// Radicale with htpasswd logins (every user's password kPassword) and its
// storage in a temporary folder.
class Radicale {
public:
    Radicale() : port_(freePort()) {
        writeFile(dir_.file("users"), "mari:" + std::string(kPassword) + "\njuku:" + kPassword + "\n");
        writeFile(dir_.file("config"), "[server]\nhosts = 127.0.0.1:" + std::to_string(port_) +
                                           "\n[auth]\ntype = htpasswd\nhtpasswd_filename = " + dir_.file("users") +
                                           "\nhtpasswd_encryption = plain\n[storage]\nfilesystem_folder = " +
                                           dir_.file("storage") + "\n[logging]\nlevel = error\n");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::execlp("radicale", "radicale", "--config", dir_.file("config").c_str(), nullptr);
            ::_exit(127);
        }
        for (int i = 0; i < 100 && !accepts(port_); ++i) std::this_thread::sleep_for(50ms);
    }
    ~Radicale() { stop(); }

    bool running() const { return pid_ > 0 && accepts(port_); }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    std::string collection(const std::string& user) const { return url() + user + "/tahtpaevad/"; }
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    TempDir dir_;
    int port_;
    pid_t pid_ = -1;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

// One computer: a home folder of its own with a list in it.
class Computer {
public:
    std::string list() const { return home_.file("Vozoraza.xml"); }
    // The vdir of the list, which is one of --file.
    std::string vdir() const {
        for (const auto& entry : std::filesystem::directory_iterator(home_.file("data/Tarvalind/Zerizedozi")))
            if (entry.is_directory()) return (entry.path() / "tahtpaevad").string();
        return {};
    }
    void writeRows(const std::vector<store::EventRow>& rows) const { writeFile(list(), store::writeDataPacket(rows)); }
    std::vector<store::EventRow> rows() const { return store::readDataPacket(readFile(list())); }

    // The program with its arguments, its list being the default one.
    std::vector<std::string> command(std::vector<std::string> args) const {
        std::vector<std::string> argv{"/usr/bin/env",
                                      "-u",
                                      "DBUS_SESSION_BUS_ADDRESS",
                                      "HOME=" + home_.path(),
                                      "XDG_CONFIG_HOME=" + home_.file("config"),
                                      "XDG_DATA_HOME=" + home_.file("data"),
                                      ZERIZEDOZI_CLI_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        argv.push_back("--file");
        argv.push_back(list());
        return argv;
    }
    ChildResult run(std::vector<std::string> args) const { return runChild(command(std::move(args)), "", 60s); }

    void setUp(const Radicale& server, const std::string& user, std::vector<std::string> more = {}) const {
        std::vector<std::string> args{
            "sync", "--setup", server.url(), "--user", user, "--password-command", std::string("echo ") + kPassword};
        args.insert(args.end(), more.begin(), more.end());
        const ChildResult setup = run(args);
        ASSERT_EQ(setup.exitCode, 0) << setup.output;
    }
    std::string sync() const {
        const ChildResult result = run({"sync"});
        EXPECT_EQ(result.exitCode, 0) << result.output;
        return result.output;
    }
    // The list as the table export-csv writes, without its header and line ends.
    std::vector<std::string> table() const {
        std::vector<std::string> lines = linesOf(run({"export-csv"}).output);
        lines.erase(lines.begin());
        for (std::string& line : lines) line.pop_back();
        std::sort(lines.begin(), lines.end());
        return lines;
    }

private:
    TempDir home_;
};

std::string phone(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"/usr/bin/python3", ZERIZEDOZI_SYNC_PHONE};
    argv.insert(argv.end(), args.begin(), args.end());
    const ChildResult result = runChild(argv, "", 30s);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.output;
}

std::vector<std::string> onPhone(const Radicale& server, const std::string& user) {
    return linesOf(phone({"list", server.collection(user), user}));
}

std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

class SyncWithServer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.running()) << "radicale did not start"; }

    Radicale server;
    Computer computer;
};

const std::vector<store::EventRow> kThreeRows = {eventRow("Mari Maasikas", 5, 3, 1986, "S"),
                                                 eventRow("Jüri", 24, 4, std::nullopt, "N", 2024),
                                                 eventRow("Liisu", 29, 2, 2000, "S")};

TEST_F(SyncWithServer, TheFirstSyncUploadsEveryEntryAsExportIcsWritesIt) {
    computer.writeRows(kThreeRows);
    computer.setUp(server, "mari", {"--alarm", "1"});
    EXPECT_EQ(phone({"displayname", server.collection("mari"), "mari"}), "Tähtpäevad\n");
    EXPECT_EQ(computer.sync(), "Sünkroonitud: serverisse 3, serverist 0, kustutatud 0, mõlemal muudetud 0.\n");

    const std::vector<std::string> expected = {"Jüri — nimepäev|2024-04-24|FREQ=YEARLY",
                                               "Liisu — sünnipäev|2000-02-29|BYMONTH=2;BYMONTHDAY=-1;FREQ=YEARLY",
                                               "Mari Maasikas — sünnipäev|1986-03-05|FREQ=YEARLY"};
    EXPECT_EQ(onPhone(server, "mari"), expected);
    EXPECT_EQ(linesOf(phone({"vdir", computer.vdir()})), expected);
    for (const auto& entry : std::filesystem::directory_iterator(computer.vdir())) {
        if (entry.path().extension() == ".ics") {
            EXPECT_NE(readFile(entry.path()).find("TRIGGER:-P1D"), std::string::npos) << entry.path();
        }
    }

    const std::string before = readFile(computer.list());
    const store::DataFileLock window(store::realPathOf(computer.list()));
    const ChildResult refused = computer.run({"sync"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.output.find("on aknaprogrammis avatud"), std::string::npos) << refused.output;
    EXPECT_EQ(readFile(computer.list()), before);
}

TEST_F(SyncWithServer, ChangesOnThePhoneAndInTheListReachTheOtherSide) {
    computer.writeRows(kThreeRows);
    computer.setUp(server, "mari");
    computer.sync();
    const std::string collection = server.collection("mari");
    phone({"put", collection, "mari", "phone-1.ics", "Tiit Tamm — sünnipäev", "19700612"});
    phone({"edit", collection, "mari", "Jüri — nimepäev", "Jüri Juurikas — nimepäev"});
    phone({"delete", collection, "mari", "Liisu — sünnipäev"});

    EXPECT_EQ(computer.sync(), "Sünkroonitud: serverisse 0, serverist 2, kustutatud 1, mõlemal muudetud 0.\n");
    EXPECT_EQ(computer.table(), sorted({"Jüri Juurikas;24;4;;N", "Mari Maasikas;5;3;1986;S", "Tiit Tamm;12;6;1970;S"}));

    std::vector<store::EventRow> rows = computer.rows();
    rows.erase(std::remove_if(rows.begin(), rows.end(), [](const auto& row) { return row.nimi == "Tiit Tamm"; }),
               rows.end());
    for (store::EventRow& row : rows)
        if (row.nimi == "Mari Maasikas") row.paev = 6;
    rows.push_back(eventRow("Uus aasta", 1, 1, std::nullopt, "T", 2026));
    computer.writeRows(rows);

    EXPECT_EQ(computer.sync(), "Sünkroonitud: serverisse 2, serverist 0, kustutatud 2, mõlemal muudetud 0.\n");
    EXPECT_EQ(onPhone(server, "mari"), sorted({"Jüri Juurikas — nimepäev|2024-04-24|FREQ=YEARLY",
                                               "Mari Maasikas — sünnipäev|1986-03-06|FREQ=YEARLY",
                                               "Uus aasta — tähtpäev|2026-01-01|FREQ=YEARLY"}));
}

TEST_F(SyncWithServer, AnEntryChangedOnBothSidesIsKeptInBothVersions) {
    computer.writeRows(kThreeRows);
    computer.setUp(server, "mari");
    computer.sync();
    phone({"edit", server.collection("mari"), "mari", "Mari Maasikas — sünnipäev", "Mari Mets — sünnipäev"});
    std::vector<store::EventRow> rows = computer.rows();
    for (store::EventRow& row : rows)
        if (row.nimi == "Mari Maasikas") row.nimi = "Mari Maasikas-Mets";
    computer.writeRows(rows);

    const std::string output = computer.sync();
    EXPECT_NE(output.find("muudetud nii loendis kui ka serveris: Mari Maasikas (05.03.1986, sünnipäev); serveri "
                          "versioon Mari Mets (05.03.1986, sünnipäev)"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("mõlemal muudetud 1."), std::string::npos) << output;
    computer.sync();
    EXPECT_EQ(computer.table(),
              sorted({"Jüri;24;4;;N", "Liisu;29;2;2000;S", "Mari Maasikas-Mets;5;3;1986;S", "Mari Mets;5;3;1986;S"}));
    EXPECT_EQ(onPhone(server, "mari").size(), 4u);
}

TEST_F(SyncWithServer, TwoComputersWithTheirOwnListsConvergeWithoutDoubles) {
    Computer work;
    computer.writeRows(kThreeRows);
    work.writeRows({kThreeRows[1], eventRow("Tiit", 12, 6, 1970, "S")});
    computer.setUp(server, "mari");
    work.setUp(server, "mari");
    computer.sync();
    // At login the reminder syncs first, so that it shows what came from elsewhere.
    const ChildResult reminder = work.run({"notify", "--days", "366"});
    EXPECT_NE(reminder.output.find("Mari Maasikas (Sünnipäev"), std::string::npos) << reminder.output;
    computer.sync();

    const std::vector<std::string> family =
        sorted({"Jüri;24;4;;N", "Liisu;29;2;2000;S", "Mari Maasikas;5;3;1986;S", "Tiit;12;6;1970;S"});
    EXPECT_EQ(computer.table(), family);
    EXPECT_EQ(work.table(), family);
    EXPECT_EQ(onPhone(server, "mari").size(), 4u);
}

TEST_F(SyncWithServer, TheFirstSyncPairsRowsWithEqualEventsMadeOnThePhone) {
    Computer other;
    other.setUp(server, "mari");
    phone({"put", server.collection("mari"), "mari", "phone-1.ics", "Jüri — nimepäev", "20240424"});
    computer.writeRows(kThreeRows);
    computer.setUp(server, "mari");

    EXPECT_EQ(computer.sync(), "Sünkroonitud: serverisse 2, serverist 0, kustutatud 0, mõlemal muudetud 0.\n");

    EXPECT_EQ(computer.table(), sorted({"Jüri;24;4;;N", "Liisu;29;2;2000;S", "Mari Maasikas;5;3;1986;S"}));
    EXPECT_EQ(onPhone(server, "mari").size(), 3u);
}

TEST_F(SyncWithServer, AServerThatCannotBeReachedLeavesTheListAsItWas) {
    computer.writeRows(kThreeRows);
    computer.setUp(server, "mari");
    computer.sync();
    phone({"put", server.collection("mari"), "mari", "phone-1.ics", "Tiit — sünnipäev", "19700612"});
    server.stop();
    computer.writeRows({kThreeRows[0], kThreeRows[1]});
    const std::string before = readFile(computer.list());

    const ChildResult result = computer.run({"sync"});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("Serveriga ei saanud ühendust"), std::string::npos) << result.output;
    EXPECT_EQ(readFile(computer.list()), before);
}

TEST_F(SyncWithServer, AfterASetupThatFailedTheSyncAsksForANewSetup) {
    computer.writeRows(kThreeRows);
    server.stop();
    const ChildResult setup = computer.run(
        {"sync", "--setup", server.url(), "--user", "mari", "--password-command", std::string("echo ") + kPassword});
    ASSERT_EQ(setup.exitCode, 1) << setup.output;
    const std::string before = readFile(computer.list());

    const ChildResult result = computer.run({"sync"});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("seadista see uuesti: zerizedozi-cli sync --setup"), std::string::npos)
        << result.output;
    EXPECT_EQ(readFile(computer.list()), before);
}

TEST_F(SyncWithServer, AnEmptiedCollectionTripsTheMassDeletionGuard) {
    std::vector<store::EventRow> rows;
    for (int day = 1; day <= 12; ++day) rows.push_back(eventRow("Nimi " + std::to_string(day), day, 5, 1990));
    computer.writeRows(rows);
    computer.setUp(server, "mari");
    computer.sync();
    phone({"empty", server.collection("mari"), "mari"});
    const std::string before = readFile(computer.list());

    const ChildResult guarded = computer.run({"sync"});

    EXPECT_EQ(guarded.exitCode, 1);
    EXPECT_NE(guarded.output.find("midagi ei kustutatud"), std::string::npos) << guarded.output;
    EXPECT_EQ(readFile(computer.list()), before);
    const ChildResult forced = computer.run({"sync", "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.output;
    EXPECT_TRUE(computer.rows().empty());
}

TEST_F(SyncWithServer, KilledAtRandomMomentsTheSyncLeavesAWholeListAndConverges) {
    computer.writeRows(kThreeRows);
    computer.setUp(server, "mari");
    computer.sync();
    std::mt19937 random(std::random_device{}());
    const unsigned seed = random();
    random.seed(seed);
    std::vector<std::string> expected = computer.table();
    for (int round = 1; round <= 20; ++round) {
        std::vector<store::EventRow> rows = computer.rows();
        rows.push_back(eventRow("Loendist " + std::to_string(round), round, 7, 1990 + round, "S"));
        computer.writeRows(rows);
        expected.push_back("Loendist " + std::to_string(round) + ";" + std::to_string(round) + ";7;" +
                           std::to_string(1990 + round) + ";S");
        if (round % 4 == 0) {
            phone({"put", server.collection("mari"), "mari", "phone-" + std::to_string(round) + ".ics",
                   "Telefonist " + std::to_string(round) + " — nimepäev", "20260801"});
            expected.push_back("Telefonist " + std::to_string(round) + ";1;8;;N");
        }

        const std::vector<std::string> argv = computer.command({"sync"});
        const pid_t child = ::fork();
        if (child == 0) {
            std::vector<char*> args;
            for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 900)(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_NO_THROW(computer.rows()) << "a torn list in round " << round << ", seed " << seed;
    }
    computer.sync();
    computer.sync();

    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(computer.table(), expected) << "seed " << seed;
    EXPECT_EQ(onPhone(server, "mari").size(), expected.size()) << "seed " << seed;
}

}  // namespace
}  // namespace cli
