// Zerizedozi: a calendar of yearly dates. Starts the one main window.
#include <malloc.h>
#include <QDir>
#include <QSessionManager>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <optional>
#include <system_error>

#include "app/Collation.h"
#include "app/DBGrid.h"
#include "app/ErrorReporting.h"
#include "app/Glyphs.h"
#include "app/Synna.h"
#include "app/Texts.h"
#include "app/Unit1.h"
#include "platform/DataFolderLookup.h"
#include "platform/QtPlatform.h"
#include "platform/TerminationSignals.h"
#include "print/EstonianQtTexts.h"
#include "store/Beside.h"
#include "store/Clock.h"
#include "store/DataFile.h"
#include "store/FileSystem.h"

namespace {

// The list's folder, found from the executable's folder before Qt starts so
// that the list can be read meanwhile (on the main thread: the lookup sets
// Qt's application names); empty when the executable cannot be told.
QString listFolderAhead() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return platform::dataFolder(QString::fromStdString(program.parent_path().string()));
}

// The list in `folder` is read, and its first rows put in order, on a thread
// of its own while Qt starts; the window takes the rows only when its file
// is that one, unchanged.
std::future<std::optional<store::ClientDataSet::ReadRows>> readListAhead(const QString& folder) {
    return std::async(
        store::kBeside, [folder = folder.toStdString()]() -> std::optional<store::ClientDataSet::ReadRows> {
            if (folder.empty()) return std::nullopt;
            try {
                // The collator's tables are made meanwhile, ready for the sort.
                std::future<void> collator = std::async(store::kBeside, [] { app::nameOrder().prepare(); });
                return store::ClientDataSet::readAhead(store::PosixFileSystem::instance(),
                                                       store::realPathOf(store::dataFilePath(folder)),
                                                       store::IndexDef{}, &app::nameOrder());
            } catch (const std::exception&) {
                return std::nullopt;  // the window meets the fault again and tells it
            }
        });
}

}  // namespace

int main(int argc, char** argv) {
    // Large blocks (a data file read whole, sort keys) go back to the system
    // when freed, instead of raising the heap's threshold after the first one
    // and lingering in it; a list of a million rows reopened on every title
    // click would otherwise grow the process by the size of its keys.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const QString folderAhead = listFolderAhead();
    auto listReadAhead = readListAhead(folderAhead);
    platform::QtPlatform desktop;
    app::Application application(argc, argv, desktop);
    // No display name: Qt would append it to every box's title ("WEB — Zerizedozi").
    QApplication::setApplicationName(app::texts::programName());
    // Wayland finds the window's icon and menu entry through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ee.tarvalind.Zerizedozi"));
    QApplication::setWindowIcon(app::mainIcon());
    print::installEstonianQtTexts();

    store::SystemClock clock;
    const QString dataFolder =
        folderAhead.isEmpty() ? platform::dataFolder(QApplication::applicationDirPath()) : folderAhead;
    app::TForm1 Form1({dataFolder, QApplication::applicationFilePath(), QApplication::arguments(), desktop, clock,
                       store::PosixFileSystem::instance(), [&listReadAhead] { return listReadAhead.get(); }});
    // A list already open in another window: that window comes to the front.
    if (!Form1.claimList()) return 0;
    // Logging off closes the window as any other close request does.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &Form1,
                     [&Form1](QSessionManager&) { Form1.close(); });
    // So does a request to end by a signal: a logout without a session
    // manager, a closed terminal, `kill`.
    const platform::TerminationSignals terminationSignals([&Form1] { Form1.close(); });
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
