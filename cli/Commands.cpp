#include "Commands.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "Arguments.h"
#include "CliError.h"
#include "ContactDates.h"
#include "IcsExport.h"
#include "Upcoming.h"
#include "VcfImport.h"
#include "store/ClientDataSet.h"
#include "store/DataFile.h"
#include "store/StoreError.h"

namespace cli {

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
    return arguments.option("--file").value_or(context.defaultDataFile);
}

// Every row of the data file, in the list's order (month, day, year, name).
std::vector<store::EventRow> readRows(const std::string& path, const CommandContext& context) {
    store::ClientDataSet dataSet(context.files);
    dataSet.setFileName(path);
    dataSet.open();
    std::vector<store::EventRow> rows;
    rows.reserve(static_cast<size_t>(dataSet.recordCount()));
    for (int i = 0; i < dataSet.recordCount(); ++i) rows.push_back(dataSet.viewRow(i));
    dataSet.close();
    return rows;
}

int upcoming(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--days", "--file"}, 0);
    int days = kDefaultUpcomingDays;
    if (const auto text = arguments.option("--days")) {
        try {
            days = parseUpcomingDays(*text);
        } catch (const CliError& error) {
            throw UsageError(error.what());
        }
    }
    const auto dates = upcomingDates(readRows(dataFileOf(arguments, context), context), context.clock.today(), days);
    if (dates.empty()) context.out << nothingUpcomingLine(days) << '\n';
    for (const UpcomingDate& date : dates) context.out << upcomingLine(date) << '\n';
    return kExitOk;
}

int exportIcs(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file", "-o"}, 0);
    const IcsCalendar calendar =
        icsCalendar(readRows(dataFileOf(arguments, context), context), context.clock.today());
    if (const auto target = arguments.option("-o")) {
        try {
            context.files.replace(*target, calendar.text);
        } catch (const store::WriteError& error) {
            throw CliError("Faili " + *target + " ei saa kirjutada: " + error.reason());
        }
        context.out << "Kirjutatud " << calendar.eventCount << " tähtpäeva faili " << *target << ".\n";
    } else {
        context.out << calendar.text;
    }
    return kExitOk;
}

int importVcf(const std::vector<std::string>& args, const CommandContext& context) {
    const Arguments arguments = argumentsOf(args, {"--file"}, 1);
    if (arguments.positional.empty()) throw UsageError("Käsk import-vcf vajab vCard-faili nime.");
    const std::string& vcfPath = arguments.positional[0];
    std::vector<ContactDate> dates;
    try {
        dates = readContactDates(context.files.read(vcfPath));
    } catch (const CliError& error) {
        throw CliError(vcfPath + ": " + error.what());
    }

    const std::string path = dataFileOf(arguments, context);
    const store::DataFileStatus status = store::prepareDataFile(context.files, path);
    if (status.kind == store::DataFileStatus::Missing) throw CliError("Andmefaili ei saa luua: " + path);
    if (status.kind == store::DataFileStatus::WriteProtected)
        throw CliError("Andmefail on kirjutuskaitstud: " + path);

    store::ClientDataSet dataSet(context.files);
    dataSet.setFileName(path);
    dataSet.open();
    const ImportCounts counts = importContactDates(dataSet, dates, context.clock.today());
    try {
        dataSet.close();
    } catch (const store::WriteError& error) {
        context.err << kProgram << ": " << error.what() << '\n';
        throw CliError("Andmefaili ei muudetud, midagi ei lisatud.");
    }
    context.out << importSummaryLine(counts) << '\n';
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
    if (command == "upcoming") return upcoming(args, context);
    if (command == "export-ics") return exportIcs(args, context);
    if (command == "import-vcf") return importVcf(args, context);
    throw UsageError("Tundmatu käsk '" + command + "'. Abi: zerizedozi-cli --help");
}

}  // namespace

std::string helpText() {
    return "Kasutamine: zerizedozi-cli KÄSK [VÕTMED]\n"
           "\n"
           "Tähtpäevade kalender käsureal. Kasutab sama andmefaili kui aknaprogramm:\n"
           "vaikimisi Vozoraza.xml programmi kaustas, --file ASUKOHT valib teise.\n"
           "\n"
           "Käsud:\n"
           "  upcoming [--days N] [--file ASUKOHT]\n"
           "      Tähtpäevad järgmise N päeva jooksul, täna kaasa arvatud (vaikimisi 14,\n"
           "      kõige rohkem 366).\n"
           "      Näide: zerizedozi-cli upcoming --days 30\n"
           "\n"
           "  export-ics [--file ASUKOHT] [-o VÄLJUND.ics]\n"
           "      Kõik tähtpäevad iga-aastaste sündmustena iCalendar-faili (Thunderbird,\n"
           "      GNOME Calendar, telefon). Ilma -o võtmeta standardväljundisse.\n"
           "      Näide: zerizedozi-cli export-ics -o tahtpaevad.ics\n"
           "\n"
           "  import-vcf FAIL.vcf [--file ASUKOHT]\n"
           "      Lisab kontaktide sünnipäevad (BDAY) Sünnipäevadena ja tähtpäevad\n"
           "      (ANNIVERSARY) Tähtpäevadena; juba olemasolevad jäetakse vahele.\n"
           "      Näide: zerizedozi-cli import-vcf kontaktid.vcf\n"
           "\n"
           "  --help\n"
           "      See abitekst.\n"
           "      Näide: zerizedozi-cli --help\n";
}

int runCommand(const std::vector<std::string>& args, const CommandContext& context) {
    try {
        return dispatch(args, context);
    } catch (const UsageError& error) {
        context.err << kProgram << ": " << error.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& error) {
        context.err << kProgram << ": " << error.what() << '\n';
        return kExitFailed;
    }
}

}  // namespace cli
