// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop calls done for real with Qt: QMessageBox, QApplication::beep,
// QDialog::exec, machine-wide QSettings and QDesktopServices.
// REQUIRES: a QApplication exists.
#pragma once

#include "platform/Platform.h"

namespace platform {

class QtPlatform : public Platform {
public:
    // Escape or closing the box answers IDNO for "Jah"/"Ei", IDCANCEL for
    // "OK"/"Cancel" and IDOK for a lone "OK". A carriage return in `text`
    // shows as a line break, so "\r\r" is a blank line.
    int messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) override;
    void messageBeep(unsigned type) override;
    int execDialog(QDialog& dialog) override;
    // False when the settings file (on Linux /etc/xdg/Tarvalind/Nurmavik.conf)
    // cannot be written, which is the usual case without administrator rights.
    bool writeRegistry(const std::vector<std::pair<QString, QString>>& values) override;
    bool shellOpen(const QString& url) override;
    // Does nothing: on X11 and Wayland the window manager owns the window
    // menu. A Windows port renames the system menu's SC_CLOSE item here.
    void renameCloseItem(QWidget& window, const QString& caption) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

}  // namespace platform
