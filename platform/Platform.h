// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop calls of the program, behind one interface: message boxes,
// the beep, modal dialogs, the registry record, opening a web address and the
// window menu. QtPlatform does them for real; the tests' ScriptedPlatform
// (tests/support) answers from a script and records every call, so that tests
// run without a person.
#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QDialog;
class QWidget;

namespace platform {

// Message box flags and answers, with the values the program has always used.
enum MessageFlags : unsigned {
    MB_OK = 0x00,
    MB_OKCANCEL = 0x01,
    MB_YESNO = 0x04,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
};
enum MessageAnswer : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box owned by `owner` (none when null). Buttons "OK",
    // "Jah"/"Ei" or "OK"/"Cancel" by the flags. Returns the answer.
    virtual int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) = 0;
    // The system sound for MB_ICONWARNING, MB_ICONERROR, ...
    virtual void messageBeep(unsigned type) = 0;
    // Runs `dialog` modally; returns QDialog::Accepted or QDialog::Rejected.
    virtual int execDialog(QDialog& dialog) = 0;
    // Writes string values under the program maker's key ("Tarvalind" /
    // "Nurmavik") of the machine-wide settings. False on any failure.
    virtual bool writeRegistry(const std::vector<std::pair<QString, QString>>& values) = 0;
    // Opens an address in the user's browser. False on failure.
    virtual bool shellOpen(const QString& url) = 0;
    // Captions the Close item of `window`'s window menu, where the desktop
    // lets a program change that menu.
    virtual void renameCloseItem(QWidget& window, const QString& caption) = 0;
    // Starts `program` with `arguments` on its own, without waiting for it
    // and without its output. False when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
};

}  // namespace platform
