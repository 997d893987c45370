// SPDX-License-Identifier: GPL-3.0-or-later
// Zerizedozi: a calendar of yearly dates. Starts the one main window.
#include "app/Collation.h"
#include "app/DBGrid.h"
#include "app/ErrorReporting.h"
#include "app/Glyphs.h"
#include "app/Synna.h"
#include "app/Unit1.h"
#include "platform/DataFolderLookup.h"
#include "platform/Process.h"
#include "platform/QtPlatform.h"
#include "platform/TerminationSignals.h"
#include "print/EstonianQtTexts.h"
#include "store/Beside.h"
#include "store/Clock.h"
#include "store/FileSystem.h"
#include "store/ProgramName.h"

#include <QSessionManager>

#include <chrono>
#include <cstdio>
#include <future>
#include <optional>

namespace {

// The list at `dataFile` is read, and its first rows put in order, on a
// thread of its own while Qt starts; the window takes the rows only when its
// file is that one, unchanged.
std::future<std::optional<store::ClientDataSet::ReadRows>> readListAhead(const std::string& dataFile) {
    return std::async(store::kBeside, [dataFile]() -> std::optional<store::ClientDataSet::ReadRows> {
        try {
            // The collator's tables are made meanwhile, ready for the sort.
            std::future<void> collator = std::async(store::kBeside, [] { app::nameOrder().prepare(); });
            return store::ClientDataSet::readAhead(store::PosixFileSystem::instance(), dataFile, store::IndexDef{},
                                                   &app::nameOrder());
        } catch (const std::exception&) {
            return std::nullopt;  // the window meets the fault again and tells it
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    // A list of a million rows reopened on every title click would otherwise
    // grow the process by the size of its keys.
    platform::returnLargeBlocksToSystem();
    QCoreApplication::setOrganizationName(QString::fromUtf8(store::kMakerName));
    // No display name: Qt would append it to every box's title ("WEB — Zerizedozi").
    QCoreApplication::setApplicationName(QString::fromUtf8(store::kProgramName));
    // The list's file is found before Qt starts, so that it can be read meanwhile.
    const std::string dataFile = platform::programDataFile();
    platform::makeDataFileFolder(dataFile);
    const std::string listFile = store::realPathOf(dataFile);
    auto listReadAhead = readListAhead(listFile);
    platform::QtPlatform desktop;
    app::Application application(argc, argv, desktop);
    // Wayland finds the window's icon and menu entry through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ee.tarvalind.Zerizedozi"));
    QApplication::setWindowIcon(app::mainIcon());
    print::installEstonianQtTexts();

    store::SystemClock clock;
    app::TForm1 Form1({QString::fromStdString(listFile), QApplication::applicationFilePath(), QApplication::arguments(),
                       desktop, clock, store::PosixFileSystem::instance(),
                       [&listReadAhead] { return listReadAhead.get(); }});
    // A list already open in another window: that window comes to the front.
    if (!Form1.claimList()) return 0;
    // Logging off closes the window as any other close request does.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &Form1,
                     [&Form1](QSessionManager&) { Form1.close(); });
    // A request to end by a signal (a logout without a session manager, a
    // closed terminal, `kill`) saves the list and ends without asking.
    const platform::TerminationSignals terminationSignals([&Form1] { Form1.endOnSignal(); });
    // For the start-up benchmark: each time the grid has painted the rows of
    // a new view, a line with the monotonic clock's nanoseconds on stderr.
    if (qEnvironmentVariableIsSet("ZERIZEDOZI_PAINT_LOG"))
        QObject::connect(Form1.Frame11->DBGrid1, &app::DBGrid::rowsPainted, [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::fprintf(stderr, "rows painted %lld\n",
                         static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stderr);
        });
    Form1.show();
    return QApplication::exec();
}
