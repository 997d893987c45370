// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing the window of a list to the front from a later start of the
// program. The window that has a list open listens on a local socket named
// after the list; a start that finds the list taken asks through it. The
// name is the same for every path that leads to the same list, and lies in
// a folder private to the user: the desktop's runtime folder, else one the
// program makes in the temporary folder. Where no such folder can be had,
// nothing listens and nobody is asked. Both ends talk only to the same user,
// and neither takes in more than a few bytes.
#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QLocalServer;

namespace app {

// The socket of the list at `dataFile`; empty where no private folder can
// be had.
QString frontRequestSocket(const QString& dataFile);

// Listens while it lives. For each request calls `bringToFront` and answers
// yes when it returns true (the window came to the front), else no.
class FrontRequestServer : public QObject {
public:
    FrontRequestServer(const QString& dataFile, std::function<bool()> bringToFront);
    bool listening() const;

private:
    void answer();

    QLocalServer* server_;
    std::function<bool()> bringToFront_;
};

// Asks the window of `dataFile` to come to the front and waits for its
// answer, at most `patience`, running the event loop meanwhile. True when
// the window said it came; false when no window listens or none answered yes.
bool askWindowToFront(const QString& dataFile, std::chrono::milliseconds patience);

}  // namespace app
