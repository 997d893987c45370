// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees of an error that escapes a handler: the toolkit's
// error box, caption "Zerizedozi", error icon, OK, the handler abandoned
// and the program going on.
#pragma once

#include <QApplication>

#include <exception>

namespace platform {
class Platform;
}

namespace app {

// The error's message, with a full stop appended when its last character
// has a higher code than ".".
QString errorBoxText(const std::exception& error);
void showErrorBox(platform::Platform& platform, const std::exception& error);

// The program's application object: catches what escapes any event handler.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv, platform::Platform& platform);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    platform::Platform& platform_;
};

}  // namespace app
