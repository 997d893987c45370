#include "cli/Commands.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/ContactDates.h"
#include "cli/ControlCharacters.h"
#include "cli/EstonianHolidays.h"
#include "cli/EventsCsv.h"
#include "cli/IcsExport.h"
#include "cli/InputFile.h"
#include "cli/OutputFile.h"
#include "cli/Upcoming.h"
#include "cli/VcfImport.h"
#include "store/ClientDataSet.h"
#include "store/DataFile.h"
#include "store/DataFileLock.h"
#include "store/ErrorTexts.h"
#include "store/Leftovers.h"
#include "store/StoreError.h"

namespace cli {

using store::quotedPath;
using store::storeErrorText;
using store::systemErrorText;

namespace {

constexpr std::string_view kProgram = "zerizedozi-cli";

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

std::string dataFileOf(const Arguments& arguments, const CommandContext& context) {
    if (auto file = arguments.option("--file")) return *file;
    return context.defaultDataFile();
}

// Opens the data set on the data file at `path`, wording the store's
// errors in Estonian.
void openDataFile(store::ClientDataSet& dataSet, const std::string& path) {
    dataSet.setFileName(path);
    try {
        dataSet.open();
    } catch (const store::StoreError& error) {
        throw CliError(storeErrorText(error, path));
    }
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

// Every row of the data file, in the list's order (month, day, year, name).
// A list that does not exist yet is empty.
std::vector<store::EventRow> readRows(const std::string& path, const CommandContext& context) {
    store::ClientDataSet dataSet(context.files);
    dataSet.setFileName(path);
    try {
        dataSet.open();
    } catch (const store::StoreError& error) {
        if (isMissingFile(error)) return {};
        throw CliError(storeErrorText(error, path));
    }
    std::vector<store::EventRow> rows;
    rows.reserve(static_cast<size_t>(dataSet.recordCount()));
    for (int i = 0; i < dataSet.recordCount(); ++i) rows.push_back(dataSet.viewRow(i));
    dataSet.close();
    return rows;
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
    const auto dates = upcomingDates(readRows(dataFileOf(arguments, context), context), context.clock.today(), days);
    if (dates.empty()) context.out << nothingUpcomingLine(days) << '\n';
    for (const UpcomingDate& date : dates) context.out << escapeControlCharacters(upcomingLine(date)) << '\n';
    return kExitOk;
}

// Nothing to remind of is no news: nothing is shown and nothing is written.
int notify(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--days", "--file"}, 0);
    const int days = numberOption(arguments, "--days", parseUpcomingDays).value_or(kDefaultReminderDays);
    const std::optional<Reminder> reminder =
        reminderOf(upcomingDates(readRows(dataFileOf(arguments, context), context), context.clock.today(), days));
    if (!reminder || context.notifications.show(*reminder)) return kExitOk;
    context.out << reminder->summary << '\n';
    for (const std::string& line : reminder->bodyLines) context.out << line << '\n';
    return kExitOk;
}

// Writes `text` to the file of -o and says so, or without -o to `out`.
void writeResult(const Arguments& arguments, const CommandContext& context, const std::string& text, int eventCount) {
    const auto target = arguments.option("-o");
    if (!target) {
        context.out << text;
        return;
    }
    writeOutputFile(*target, text, dataFileOf(arguments, context));
    context.out << "Kirjutatud " << eventCount << " tähtpäeva faili " << *target << ".\n";
}

int exportIcs(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file", "-o", "--alarm"}, 0);
    const std::optional<int> alarmDays = numberOption(arguments, "--alarm", parseAlarmDays);
    const IcsCalendar calendar =
        icsCalendar(readRows(dataFileOf(arguments, context), context), context.clock.today(), alarmDays);
    writeResult(arguments, context, calendar.text, calendar.eventCount);
    return kExitOk;
}

int exportCsv(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file", "-o"}, 0);
    const std::vector<store::EventRow> rows = readRows(dataFileOf(arguments, context), context);
    writeResult(arguments, context, eventsCsv(rows), static_cast<int>(rows.size()));
    return kExitOk;
}

// Lets `add` add rows to the data file, which is created when missing, and
// writes the file when rows were added. Holds the data file's lock all the
// while, and touches nothing when another program holds it.
int addToDataFile(const Arguments& arguments, const CommandContext& context,
                  const std::function<ImportCounts(store::ClientDataSet&)>& add) {
    const std::string path = store::realPathOf(dataFileOf(arguments, context));
    const store::DataFileLock lock(path);
    if (!lock.holds()) {
        const std::string lockFile = store::DataFileLock::lockFileOf(path);
        if (lock.heldElsewhere())
            throw CliError("Andmefail " + quotedPath(path) +
                           " on aknaprogrammis avatud; sulge programm ja proovi uuesti.");
        if (lock.error() == ELOOP || lock.error() == EINVAL)
            throw CliError("Andmefaili lukufail " + quotedPath(lockFile) +
                           " on nimeviide või pole tavaline fail; seda ei kasutata.");
        throw CliError("Andmefaili lukufaili " + quotedPath(lockFile) +
                       " ei saa luua ega avada: " + systemErrorText(lock.error()) + ".");
    }
    store::removeLeftoverTemporaries(path);
    checkInputFile(path, kMostListBytes);
    const store::DataFileStatus status = store::prepareDataFile(context.files, path);
    switch (status.kind) {
        case store::DataFileStatus::Ready: break;
        case store::DataFileStatus::Missing: throw CliError("Andmefaili " + quotedPath(path) + " ei saa luua.");
        case store::DataFileStatus::WriteProtected:
            throw CliError("Andmefaili " + quotedPath(path) +
                           " kirjutuskaitset ei saa eemaldada: " + systemErrorText(status.error) + ".");
        case store::DataFileStatus::FolderUnwritable:
            throw CliError("Andmefaili " + quotedPath(path) +
                           " ei saa salvestada, sest selle kausta ei saa faile luua: " + systemErrorText(status.error) +
                           ".");
    }

    store::ClientDataSet dataSet(context.files);
    openDataFile(dataSet, path);
    const ImportCounts counts = add(dataSet);
    try {
        dataSet.close();
    } catch (const store::WriteError& error) {
        context.err << kProgram << ": " << escapeControlCharacters(storeErrorText(error, path)) << '\n';
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
        return addNewEntries(dataSet, estonianHolidays(), context.clock.today());
    });
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
