// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/ContactDates.h"
#include "cli/ControlCharacters.h"
#include "cli/EstonianHolidays.h"
#include "cli/EventsCsv.h"
#include "cli/IcsExport.h"
#include "cli/InputFile.h"
#include "cli/ListRows.h"
#include "cli/LockedDataFile.h"
#include "cli/OutputFile.h"
#include "cli/SyncCommand.h"
#include "cli/TextSink.h"
#include "cli/Upcoming.h"
#include "cli/VcfImport.h"
#include "store/ClientDataSet.h"
#include "store/ErrorTexts.h"
#include "store/StoreError.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <exception>
#include <functional>
#include <optional>
#include <sstream>
#include <string_view>

namespace cli {

using store::quotedPath;
using store::storeErrorText;
using store::systemErrorText;

namespace {

constexpr std::string_view kProgram = "zerizedozi-cli";
// The reminder at login waits no longer than this for the server.
constexpr std::chrono::seconds kSyncBeforeReminderTimeout{20};

// A wrong command line, as opposed to a failure while running.
class UsageError : public CliError {
public:
    using CliError::CliError;
};

Arguments argumentsOf(const std::vector<std::string>& args, const std::vector<std::string_view>& known,
                      size_t positionalCount) {
    try {
        Arguments parsed = parseArguments({args.begin() + 1, args.end()}, known);
        if (parsed.positional.size() > positionalCount)
            throw CliError("Liigne argument '" + parsed.positional[positionalCount] + "'.");
        return parsed;
    } catch (const CliError& error) {
        throw UsageError(error.what());
    }
}

std::string dataFileOf(const Arguments& arguments, const CommandContext& context, DataFileUse use = DataFileUse::Read) {
    if (auto file = arguments.option("--file")) return *file;
    return context.defaultDataFile(use);
}

bool isMissingFile(const store::StoreError& error) {
    return error.kind() == store::StoreError::Kind::CannotOpen && error.systemError() == ENOENT;
}

// The whole file at `path`, an input of an import, once it has passed the
// checks of an input file.
std::string readInputFile(const std::string& path, const CommandContext& context) {
    checkInputFile(path, kMostImportBytes);
    try {
        return context.files.read(path);
    } catch (const store::StoreError& error) {
        throw CliError(storeErrorText(error, path));
    }
}

// The rows of the data file that `keep` says true of (every row without
// it), in the list's order. A list that does not exist yet is empty.
std::vector<store::EventRow> readRows(const std::string& path, const CommandContext& context,
                                      const store::RowFilter& keep = {}) {
    try {
        return readListRows(context.files, path, keep);
    } catch (const store::StoreError& error) {
        if (isMissingFile(error)) return {};
        throw CliError(storeErrorText(error, path));
    }
}

// The value of option `name` as read by `parse`, or nullopt without the
// option. A value that `parse` refuses makes the command line wrong.
std::optional<int> numberOption(const Arguments& arguments, std::string_view name, int (*parse)(const std::string&)) {
    const auto text = arguments.option(name);
    if (!text) return std::nullopt;
    try {
        return parse(*text);
    } catch (const CliError& error) {
        throw UsageError(error.what());
    }
}

int upcoming(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--days", "--file"}, 0);
    const int days = numberOption(arguments, "--days", parseUpcomingDays).value_or(kDefaultUpcomingDays);
    const store::Date today = context.clock.today();
    const auto dates =
        upcomingDates(readRows(dataFileOf(arguments, context), context, UpcomingWindow(today, days)), today, days);
    if (dates.empty()) context.out << nothingUpcomingLine(days) << '\n';
    for (const UpcomingDate& date : dates) context.out << escapeControlCharacters(upcomingLine(date)) << '\n';
    return kExitOk;
}

// The sync of the list of --file or the default one.
SyncRequest syncRequestOf(const Arguments& arguments, const CommandContext& context, DataFileUse use) {
    return syncRequestFor(dataFileOf(arguments, context, use),
                          context.usersDataFile ? context.usersDataFile() : context.defaultDataFile(DataFileUse::Read));
}

// Nothing to remind of is no news: nothing is shown and nothing is written.
// Where sync is set up, a birthday added on the phone makes it into the
// reminder: a short sync comes first, and any failure of it only goes to
// stderr.
int notify(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--days", "--file"}, 0);
    if (SyncRequest request = syncRequestOf(arguments, context, DataFileUse::Read); syncIsSetUp(request)) {
        request.serverTimeout = kSyncBeforeReminderTimeout;
        std::ostringstream summary;
        try {
            runSync(request, context.files, context.clock.today(), summary, context.err);
        } catch (const std::exception& error) {
            context.err << kProgram << ": " << escapeControlCharacters(error.what()) << '\n';
        }
    }
    const int days = numberOption(arguments, "--days", parseUpcomingDays).value_or(kDefaultReminderDays);
    const store::Date today = context.clock.today();
    const std::optional<Reminder> reminder = reminderOf(
        upcomingDates(readRows(dataFileOf(arguments, context), context, UpcomingWindow(today, days)), today, days));
    if (!reminder || context.notifications.show(*reminder)) return kExitOk;
    context.out << reminder->summary << '\n';
    for (const std::string& line : reminder->bodyLines) context.out << line << '\n';
    return kExitOk;
}

// Writes the result that `write` makes, piece by piece, to the file of -o
// and says so, or without -o to `out`. `write` returns how many dates it
// wrote.
void writeResult(const Arguments& arguments, const CommandContext& context,
                 const std::function<int(const TextSink&)>& write) {
    const auto target = arguments.option("-o");
    if (!target) {
        write([&context](std::string_view piece) { context.out << piece; });
        return;
    }
    OutputFile file(*target, dataFileOf(arguments, context));
    const int dateCount = write([&file](std::string_view piece) { file.write(piece); });
    file.close();
    context.out << "Kirjutatud " << dateCount << " tähtpäeva faili " << *target << ".\n";
}

int exportIcs(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file", "-o", "--alarm"}, 0);
    const std::optional<int> alarmDays = numberOption(arguments, "--alarm", parseAlarmDays);
    const std::vector<store::EventRow> rows = readRows(dataFileOf(arguments, context), context);
    writeResult(arguments, context,
                [&](const TextSink& sink) { return writeIcsCalendar(rows, context.clock.today(), alarmDays, sink); });
    return kExitOk;
}

int exportCsv(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file", "-o"}, 0);
    const std::vector<store::EventRow> rows = readRows(dataFileOf(arguments, context), context);
    writeResult(arguments, context, [&rows](const TextSink& sink) {
        writeEventsCsv(rows, sink);
        return static_cast<int>(rows.size());
    });
    return kExitOk;
}

// Lets `add` add rows to the data file, which is created when missing, and
// writes the file when rows were added. Holds the data file's lock all the
// while, and touches nothing when another program holds it.
int addToDataFile(const Arguments& arguments, const CommandContext& context,
                  const std::function<ImportCounts(store::ClientDataSet&)>& add) {
    LockedDataFile list(context.files, dataFileOf(arguments, context, DataFileUse::Write));
    const ImportCounts counts = add(list.dataSet());
    try {
        list.save();
    } catch (const store::WriteError& error) {
        context.err << kProgram << ": " << escapeControlCharacters(storeErrorText(error, list.path())) << '\n';
        throw CliError("Andmefaili ei muudetud, midagi ei lisatud.");
    }
    context.out << importSummaryLine(counts) << '\n';
    return kExitOk;
}

int importVcf(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file"}, 1);
    if (arguments.positional.empty()) throw UsageError("Käsk import-vcf vajab vCard-faili nime.");
    const std::string& vcfPath = arguments.positional[0];
    const std::string text = readInputFile(vcfPath, context);
    std::vector<ContactDate> dates;
    try {
        dates = readContactDates(text);
    } catch (const CliError& error) {
        throw CliError(vcfPath + ": " + error.what());
    }
    std::vector<SkippedContact> skipped;
    const int status = addToDataFile(arguments, context, [&](store::ClientDataSet& dataSet) {
        return importContactDates(dataSet, dates, context.clock.today(), skipped);
    });
    for (const SkippedContact& contact : skipped)
        context.err << kProgram << ": " << skippedContactLine(contact) << '\n';
    return status;
}

int importCsv(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file"}, 1);
    if (arguments.positional.empty()) throw UsageError("Käsk import-csv vajab CSV-faili nime.");
    const std::string& csvPath = arguments.positional[0];
    const CsvEntries table = readEventsCsv(readInputFile(csvPath, context), context.clock.today().year);
    if (!table.problems.empty()) {
        for (const CsvProblem& problem : table.problems)
            context.err << kProgram << ": " << escapeControlCharacters(csvPath) << ", rida " << problem.line << ": "
                        << escapeControlCharacters(problem.what) << '\n';
        throw CliError("Failis on vigaseid ridu; andmefaili ei muudetud, midagi ei lisatud.");
    }
    return addToDataFile(arguments, context, [&](store::ClientDataSet& dataSet) {
        return addNewEntries(dataSet, table.entries, context.clock.today());
    });
}

int addHolidays(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file"}, 0);
    return addToDataFile(arguments, context, [&](store::ClientDataSet& dataSet) {
        return addNewEntries(dataSet, estonianHolidays(), context.clock.today(), SameRow::InAnyYear);
    });
}

int sync(std::vector<std::string> args, const CommandContext& context) {
    const auto force = std::find(args.begin(), args.end(), "--force");
    const bool forced = force != args.end();
    if (forced) args.erase(force);
    const Arguments arguments = argumentsOf(args, {"--file", "--setup", "--user", "--password-command", "--alarm"}, 0);
    SyncRequest request = syncRequestOf(arguments, context, DataFileUse::Write);
    request.force = forced;
    const auto url = arguments.option("--setup");
    if (!url) {
        for (const char* setupOnly : {"--user", "--password-command", "--alarm"})
            if (arguments.option(setupOnly))
                throw UsageError(std::string("Võti ") + setupOnly + " käib ainult koos võtmega --setup URL.");
        runSync(request, context.files, context.clock.today(), context.out, context.err);
        return kExitOk;
    }
    if (forced) throw UsageError("Võti --force ei käi koos võtmega --setup.");
    const auto user = arguments.option("--user");
    if (!user) throw UsageError("Käsk sync --setup vajab kasutajanime: --user NIMI.");
    const SyncSettings settings{*url, *user, arguments.option("--password-command"),
                                numberOption(arguments, "--alarm", parseAlarmDays)};
    setUpSync(request, settings, context.out);
    return kExitOk;
}

int dispatch(const std::vector<std::string>& args, const CommandContext& context) {
    if (args.empty()) throw UsageError("Käsk puudub. Abi: zerizedozi-cli --help");
    const std::string& command = args[0];
    const auto isHelp = [](const std::string& arg) { return arg == "--help" || arg == "-h"; };
    if (command == "help" || std::any_of(args.begin(), args.end(), isHelp)) {
        context.out << helpText();
        return kExitOk;
    }
    if (command == "--version") {
        context.out << kProgram << ' ' << ZERIZEDOZI_VERSION << '\n';
        return kExitOk;
    }
    if (command == "upcoming") return upcoming(args, context);
    if (command == "notify") return notify(args, context);
    if (command == "export-ics") return exportIcs(args, context);
    if (command == "import-vcf") return importVcf(args, context);
    if (command == "export-csv") return exportCsv(args, context);
    if (command == "import-csv") return importCsv(args, context);
    if (command == "add-holidays") return addHolidays(args, context);
    if (command == "sync") return sync(args, context);
    throw UsageError("Tundmatu käsk '" + command + "'. Abi: zerizedozi-cli --help");
}

}  // namespace

std::string helpText() {
    return "Kasutamine: zerizedozi-cli KÄSK [VÕTMED]\n"
           "\n"
           "Tähtpäevade kalender käsureal. Kasutab sama andmefaili kui aknaprogramm:\n"
           "vaikimisi Vozoraza.xml programmi kaustas (paigaldatud programmil kasutaja\n"
           "kaustas ~/.local/share/Tarvalind/Zerizedozi/), --file ASUKOHT valib teise.\n"
           "Andmefaili muutvad käsud ei tööta, kui fail on aknaprogrammis avatud.\n"
           "\n"
           "Käsud:\n"
           "  upcoming [--days N] [--file ASUKOHT]\n"
           "      Tähtpäevad järgmise N päeva jooksul, täna kaasa arvatud (vaikimisi 14,\n"
           "      kõige rohkem 366).\n"
           "      Näide: zerizedozi-cli upcoming --days 30\n"
           "\n"
           "  notify [--days N] [--file ASUKOHT]\n"
           "      Tähtpäevad järgmise N päeva jooksul (vaikimisi 7) töölaua teatena:\n"
           "      pealkirjas tänased või lähimad, all ülejäänud. Kui teateid näidata ei\n"
           "      saa, kirjutab samad read standardväljundisse. Sisselogimisel\n"
           "      käivitatakse see automaatselt.\n"
           "      Näide: zerizedozi-cli notify --days 3\n"
           "\n"
           "  export-ics [--file ASUKOHT] [-o VÄLJUND.ics] [--alarm PÄEVI]\n"
           "      Kõik tähtpäevad iga-aastaste sündmustena iCalendar-faili (Thunderbird,\n"
           "      GNOME Calendar, telefon). Ilma -o võtmeta standardväljundisse.\n"
           "      --alarm lisab igale sündmusele meeldetuletuse nii mitu päeva ette\n"
           "      (0 tuletab meelde samal päeval).\n"
           "      Näide: zerizedozi-cli export-ics --alarm 1 -o tahtpaevad.ics\n"
           "\n"
           "  import-vcf FAIL.vcf [--file ASUKOHT]\n"
           "      Lisab kontaktide sünnipäevad (BDAY) Sünnipäevadena ja tähtpäevad\n"
           "      (ANNIVERSARY) Tähtpäevadena; juba olemasolevad jäetakse vahele.\n"
           "      Näide: zerizedozi-cli import-vcf kontaktid.vcf\n"
           "\n"
           "  export-csv [--file ASUKOHT] [-o VÄLJUND.csv]\n"
           "      Kõik tähtpäevad tabelina tabelarvutusprogrammi jaoks: veerud\n"
           "      Nimi;Päev;Kuu;Aasta;Tüüp, eraldaja semikoolon, UTF-8. Ilma -o võtmeta\n"
           "      standardväljundisse.\n"
           "      Näide: zerizedozi-cli export-csv -o tahtpaevad.csv\n"
           "\n"
           "  import-csv FAIL.csv [--file ASUKOHT]\n"
           "      Lisab tähtpäevad samasugusest tabelist; juba olemasolevad jäetakse\n"
           "      vahele. Kui mõni rida on vigane, ei lisata midagi.\n"
           "      Näide: zerizedozi-cli import-csv tahtpaevad.csv\n"
           "\n"
           "  add-holidays [--file ASUKOHT]\n"
           "      Lisab Eesti riigipühad, riiklikud tähtpäevad ja lipupäevad, mis on igal\n"
           "      aastal samal kuupäeval, Tähtpäevadena ilma aastata. Liikuvad pühad\n"
           "      (lihavõtted, nelipühad, emadepäev jt) jäävad välja.\n"
           "      Näide: zerizedozi-cli add-holidays\n"
           "\n"
           "  sync [--force] [--file ASUKOHT]\n"
           "      Sünkroonib loendi CalDAV-serveri kalendriga \"Tähtpäevad\" (Nextcloud,\n"
           "      Radicale, telefon) vdirsynceri kaudu, mõlemat pidi. Kui ühelt poolt\n"
           "      kustutataks üle poole (vähemalt 10) kirjetest, ei kustutata midagi;\n"
           "      --force kustutab siiski.\n"
           "      Näide: zerizedozi-cli sync\n"
           "\n"
           "  sync --setup URL --user NIMI [--password-command KÄSK] [--alarm PÄEVI]\n"
           "      Seadistab sünkroonimise: parool küsitakse ja pannakse võtmehoidjasse,\n"
           "      või annab selle KÄSK. --alarm lisab sündmustele meeldetuletuse.\n"
           "      Näide: zerizedozi-cli sync --setup https://pilv.example/remote.php/dav --user mari\n"
           "\n"
           "  --version\n"
           "      Programmi versioon.\n"
           "\n"
           "  --help\n"
           "      See abitekst.\n"
           "      Näide: zerizedozi-cli --help\n";
}

int runCommand(const std::vector<std::string>& args, const CommandContext& context) {
    try {
        return dispatch(args, context);
    } catch (const UsageError& error) {
        context.err << kProgram << ": " << escapeControlCharacters(error.what()) << '\n';
        return kExitUsage;
    } catch (const store::StoreError& error) {
        context.err << kProgram << ": " << escapeControlCharacters(storeErrorText(error, error.path())) << '\n';
        return kExitFailed;
    } catch (const std::exception& error) {
        context.err << kProgram << ": " << escapeControlCharacters(error.what()) << '\n';
        return kExitFailed;
    }
}

}  // namespace cli
