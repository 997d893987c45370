// Zerizedozi: a calendar of yearly dates. Starts the one main window.
#include <QDir>
#include <QSessionManager>

#include "app/ErrorReporting.h"
#include "app/Glyphs.h"
#include "app/Synna.h"
#include "app/Texts.h"
#include "platform/DataFolderLookup.h"
#include "platform/QtPlatform.h"
#include "print/EstonianQtTexts.h"
#include "store/Clock.h"
#include "store/FileSystem.h"

int main(int argc, char** argv) {
    platform::QtPlatform desktop;
    app::Application application(argc, argv, desktop);
    // No display name: Qt would append it to every box's title ("WEB — Zerizedozi").
    QApplication::setApplicationName(app::texts::programName());
    // Wayland finds the window's icon and menu entry through this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ee.tarvalind.Zerizedozi"));
    QApplication::setWindowIcon(app::mainIcon());
    print::installEstonianQtTexts();

    store::SystemClock clock;
    const QString dataFolder = platform::dataFolder(QApplication::applicationDirPath());
    app::TForm1 Form1({dataFolder, QApplication::applicationFilePath(), QApplication::arguments(), desktop, clock,
                       store::PosixFileSystem::instance()});
    // A list already open in another window: that window comes to the front.
    if (!Form1.claimList()) return 0;
    // Logging off closes the window as any other close request does.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &Form1, [&Form1](QSessionManager&) { Form1.close(); });
    Form1.show();
    return QApplication::exec();
}
