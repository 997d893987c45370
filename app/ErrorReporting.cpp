// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ErrorReporting.h"

#include "app/Texts.h"
#include "platform/Platform.h"

namespace app {

QString errorBoxText(const std::exception& error) {
    QString text = QString::fromUtf8(error.what());
    if (!text.isEmpty() && text.back().unicode() > u'.') text += QLatin1Char('.');
    return text;
}

void showErrorBox(platform::Platform& platform, const std::exception& error) {
    platform.messageBox(QApplication::activeWindow(), errorBoxText(error), texts::programName(),
                        platform::MB_OK | platform::MB_ICONERROR);
}

Application::Application(int& argc, char** argv, platform::Platform& platform)
    : QApplication(argc, argv), platform_(platform) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorBox(platform_, error);
    }
    return true;
}

}  // namespace app
