// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SyncCommand.h"

#include "cli/CalendarDays.h"
#include "cli/ChildProcess.h"
#include "cli/CliError.h"
#include "cli/IcsExport.h"
#include "cli/LockedDataFile.h"
#include "cli/SyncMerge.h"
#include "cli/SyncState.h"
#include "cli/Vdir.h"
#include "store/DataFileLock.h"
#include "store/DateText.h"
#include "store/ErrorTexts.h"
#include "store/StoreError.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace cli {

namespace {

constexpr std::chrono::seconds kLongestWaitForOtherSync{120};
constexpr std::chrono::seconds kSetupTimeout{120};
constexpr std::string_view kEmptiedStorage = "was completely emptied";

std::string readText(const std::string& path) {
    try {
        return store::PosixFileSystem::instance().read(path);
    } catch (const store::StoreError& error) {
        throw CliError(store::storeErrorText(error, path));
    }
}

// What vdirsyncer said went wrong: its first error line (but the hint to
// run it again with more output), else its last line.
std::string reasonOf(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    std::string last;
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        const bool error = line.rfind("error:", 0) == 0 || line.rfind("critical:", 0) == 0;
        if (error && line.find("-vdebug") == std::string::npos) return line;
        last = line;
    }
    return last;
}

std::string guardText(size_t deletions, size_t entries, const std::string& where) {
    return "Sünkroonimine kustutaks " + where + " korraga " + std::to_string(deletions) + " kirjet " +
           std::to_string(entries) +
           "-st; midagi ei kustutatud. Kui see on õige, käivita \"zerizedozi-cli sync --force\".";
}

store::Date storedDate(const store::EventRow& row, const store::Date& today) {
    if (row.aasta && store::isValidDate(*row.aasta, *row.kuu, *row.paev)) return {*row.aasta, *row.kuu, *row.paev};
    return *store::yearlessDate(*row.kuu, *row.paev, today);
}

// Deletes the planned rows (by content: equal rows are alike) and adds the new ones.
void applyToList(store::ClientDataSet& dataSet, const std::vector<store::EventRow>& rows, const SyncPlan& plan,
                 const store::Date& today) {
    std::map<std::pair<std::string, std::string>, int> doomed;
    auto keyOf = [](const store::EventRow& row) {
        std::string numbers;
        for (const auto& value :
             {row.paev ? int(*row.paev) : -1, row.kuu ? int(*row.kuu) : -1, row.aasta ? int(*row.aasta) : -1,
              row.kuup ? row.kuup->year * 10000 + row.kuup->month * 100 + row.kuup->day : -1})
            numbers += std::to_string(value) + ",";
        return std::pair{row.nimi + '\x1f' + row.tyyp, numbers};
    };
    for (const size_t place : plan.listDeletions) ++doomed[keyOf(rows[place])];
    for (int i = dataSet.recordCount(); i-- > 0 && !doomed.empty();) {
        const auto found = doomed.find(keyOf(dataSet.viewRow(i)));
        if (found == doomed.end()) continue;
        dataSet.setRecNo(i + 1);
        dataSet.deleteRecord();
        if (--found->second == 0) doomed.erase(found);
    }
    for (const store::EventRow& row : plan.listAdditions) {
        dataSet.insert();
        dataSet.setFieldText("Nimi", row.nimi);
        dataSet.setFieldInteger("Paev", *row.paev);
        dataSet.setFieldInteger("Kuu", *row.kuu);
        if (row.aasta) dataSet.setFieldInteger("Aasta", *row.aasta);
        dataSet.setFieldText("Tyyp", row.tyyp);
        dataSet.setFieldDate("Kuup", storedDate(row, today));
        dataSet.post();
    }
}

void runVdirsyncer(const SyncPaths& paths, const SyncRequest& request) {
    std::vector<std::string> argv{"vdirsyncer", "-c", paths.configFile, "sync"};
    if (request.force) argv.emplace_back("--force-delete");
    const ChildResult result = runChild(argv, "", request.serverTimeout);
    if (!result.started) throw CliError("Programmi vdirsyncer ei leitud; paigalda see: apt install vdirsyncer.");
    if (result.timedOut)
        throw CliError("Server ei vastanud " + std::to_string(request.serverTimeout.count()) +
                       " sekundi jooksul; loendis on kõik nagu enne.");
    if (result.exitCode == 0) return;
    if (result.output.find(kEmptiedStorage) != std::string::npos)
        throw CliError(
            "Kalender serveris või selle koopia siin on tühjaks tehtud; midagi ei kustutatud. Kui see on "
            "õige, käivita \"zerizedozi-cli sync --force\".");
    // A setup that failed leaves its config, but vdirsyncer has not paired the calendars.
    if (result.output.find("vdirsyncer discover") != std::string::npos)
        throw CliError(
            "Sünkroonimise seadistamine jäi pooleli; seadista see uuesti: zerizedozi-cli sync --setup URL --user "
            "NIMI");
    throw CliError("Serveriga ei saanud ühendust või see keeldus; loendis on kõik nagu enne. vdirsyncer: " +
                   reasonOf(result.output));
}

// Waits for another sync of the same list to end.
class SyncRunLock {
public:
    explicit SyncRunLock(const std::string& path) {
        const auto deadline = std::chrono::steady_clock::now() + kLongestWaitForOtherSync;
        for (;;) {
            lock_ = std::make_unique<store::DataFileLock>(path);
            if (lock_->holds()) return;
            if (!lock_->heldElsewhere() || std::chrono::steady_clock::now() > deadline)
                throw CliError("Teine sünkroonimine käib veel (" +
                               store::quotedPath(store::DataFileLock::lockFileOf(path)) + "); proovi hiljem uuesti.");
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }

private:
    std::unique_ptr<store::DataFileLock> lock_;
};

void makeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        throw CliError("Kausta " + store::quotedPath(folder) +
                       " ei saa luua: " + store::systemErrorText(error.value()) + ".");
}

std::string parentOf(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

// One line from the terminal without showing it, asked for; from stdin
// without a word when that is no terminal.
std::string askPassword(std::ostream& out) {
    termios before{};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &before) == 0;
    if (terminal) {
        out << "Parool: " << std::flush;
        termios silent = before;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string password;
    std::getline(std::cin, password);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        out << '\n';
    }
    return password;
}

void storeInKeyring(const SyncSettings& settings, std::ostream& out) {
    const std::string password = askPassword(out);
    const ChildResult result =
        runChild({"secret-tool", "store", "--label=Zerizedozi: " + settings.user + " @ " + settings.url, "service",
                  kKeyringService, "user", settings.user, "url", settings.url},
                 password, std::chrono::seconds(60));
    if (result.exitCode == 0) return;
    throw CliError("Parooli ei saanud võtmehoidjasse panna (" +
                   (result.started ? reasonOf(result.output) : std::string("secret-tool puudub")) +
                   "). Anna parooli andmiseks käsk, näiteks: zerizedozi-cli sync --setup " + settings.url + " --user " +
                   settings.user + " --password-command 'pass show dav/" + settings.user + "'");
}

void forgetEarlierSync(const SyncPaths& paths) {
    std::error_code ignored;
    std::filesystem::remove_all(paths.statusFolder, ignored);
    std::filesystem::remove_all(paths.vdir, ignored);
    std::filesystem::remove(paths.stateFile, ignored);
}

}  // namespace

SyncCounts mergeWithVdir(const SyncRequest& request, const SyncPaths& paths, store::FileSystem& files,
                         const store::Date& today, std::optional<int> alarmDays, std::ostream& err) {
    LockedDataFile list(files, request.dataFile);
    const std::vector<store::EventRow> rows = list.dataSet().allRows();
    const SyncState state = loadSyncState(paths.stateFile);
    const SyncPlan plan = planSync(
        rows, state, readVdir(paths.vdir),
        [&](const store::EventRow& row, const std::string& uid) { return eventIcs(row, uid, today, alarmDays); });
    if (!request.force && deletesTooMuch(plan, state)) {
        const bool fromList = plan.listDeletions.size() >= plan.vdirDeletions.size();
        throw CliError(guardText(fromList ? plan.listDeletions.size() : plan.vdirDeletions.size(), state.size(),
                                 fromList ? "loendist" : "serverist"));
    }
    for (const std::string& name : plan.vdirDeletions) removeVdirFile(paths.vdir, name);
    for (const VdirFile& file : plan.vdirWrites) writeVdirFile(paths.vdir, file.name, file.text);
    if (plan.changesList()) {
        applyToList(list.dataSet(), rows, plan, today);
        try {
            list.save();
        } catch (const store::WriteError& error) {
            throw CliError(store::storeErrorText(error, list.path()));
        }
    }
    if (plan.changesState(state)) saveSyncState(paths.stateFile, plan.state);
    for (const std::string& conflict : plan.conflicts) err << "zerizedozi-cli: " << conflict << '\n';
    return plan.counts;
}

SyncRequest syncRequestFor(const std::string& dataFile, const std::string& usersDataFile) {
    SyncRequest request;
    request.dataFile = dataFile;
    request.defaultList = store::realPathOf(dataFile) == store::realPathOf(usersDataFile);
    return request;
}

bool syncIsSetUp(const SyncRequest& request) {
    return store::PosixFileSystem::instance().exists(syncPaths(request.dataFile, request.defaultList).configFile);
}

void runSync(const SyncRequest& request, store::FileSystem& files, const store::Date& today, std::ostream& out,
             std::ostream& err) {
    const SyncPaths paths = syncPaths(request.dataFile, request.defaultList);
    if (!store::PosixFileSystem::instance().exists(paths.configFile))
        throw CliError(
            "Sünkroonimine pole seadistatud; seadista see käsuga: zerizedozi-cli sync --setup URL --user NIMI");
    const std::optional<int> alarmDays = configuredAlarmDays(readText(paths.configFile));
    makeFolder(parentOf(paths.runLock));
    const SyncRunLock running(paths.runLock);

    // The first sync fetches the server's events before it merges, so that rows equal to
    // events made elsewhere are paired with them instead of being sent as new events.
    const bool first = !store::PosixFileSystem::instance().exists(paths.stateFile);
    SyncCounts counts;
    if (!first) counts = mergeWithVdir(request, paths, files, today, alarmDays, err);
    runVdirsyncer(paths, request);
    counts += mergeWithVdir(request, paths, files, today, alarmDays, err);
    if (first) {
        runVdirsyncer(paths, request);
        counts += mergeWithVdir(request, paths, files, today, alarmDays, err);
    }
    out << "Sünkroonitud: serverisse " << counts.toServer << ", serverist " << counts.fromServer << ", kustutatud "
        << counts.deleted << ", mõlemal muudetud " << counts.bothChanged << ".\n";
}

void setUpSync(const SyncRequest& request, const SyncSettings& settings, std::ostream& out) {
    if (settings.url.rfind("http://", 0) != 0 && settings.url.rfind("https://", 0) != 0)
        throw CliError("Serveri aadress peab algama http:// või https://: '" + settings.url + "'.");
    if (settings.user.empty()) throw CliError("Kasutajanimi puudub (--user NIMI).");
    const SyncPaths paths = syncPaths(request.dataFile, request.defaultList);
    if (!settings.passwordCommand) storeInKeyring(settings, out);

    makeFolder(parentOf(paths.runLock));
    const SyncRunLock running(paths.runLock);
    forgetEarlierSync(paths);
    makeFolder(parentOf(paths.configFile));
    makeFolder(paths.vdir);
    auto write = [](const std::string& path, const std::string& text) {
        try {
            store::PosixFileSystem::instance().replace(path, text);
        } catch (const store::StoreError& error) {
            throw CliError(store::storeErrorText(error, error.path()));
        }
    };
    write(paths.configFile, vdirsyncerConfig(paths, settings));
    auto run = [&](const char* step) {
        const ChildResult result = runChild({"vdirsyncer", "-c", paths.configFile, step}, "y\ny\n", kSetupTimeout);
        if (!result.started) throw CliError("Programmi vdirsyncer ei leitud; paigalda see: apt install vdirsyncer.");
        if (result.exitCode != 0)
            throw CliError("Serveriga ei saanud ühendust või see keeldus (" + reasonOf(result.output) +
                           "); seaded on kirjutatud faili " + store::quotedPath(paths.configFile) + ".");
    };
    // A new collection has a name of the server's making (Radicale: "mari/tahtpaevad"), which the
    // first metasync takes; the title is then a change on our side, which the second one sends.
    run("discover");
    run("metasync");
    write(paths.vdir + "/displayname", kCollectionTitle);
    run("metasync");
    out << "Sünkroonimine on seadistatud: kalender \"" << kCollectionTitle << "\" serveris " << settings.url
        << ", kasutaja " << settings.user << ". Sünkrooni käsuga: zerizedozi-cli sync\n";
}

}  // namespace cli
