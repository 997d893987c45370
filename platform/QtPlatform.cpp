// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

#include <sys/stat.h>

namespace platform {
namespace {

QMessageBox::Icon iconFor(unsigned flags) {
    switch (flags & 0xF0) {
        case MB_ICONERROR: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONWARNING: return QMessageBox::Warning;
        default: return QMessageBox::NoIcon;
    }
}

QString withLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

struct Button {
    const char* text;
    QMessageBox::ButtonRole role;
    int answer;
};

// The first button is the default one, the last answers Escape.
std::vector<Button> buttonsFor(unsigned flags) {
    switch (flags & 0x0F) {
        case MB_YESNO: return {{"Jah", QMessageBox::YesRole, IDYES}, {"Ei", QMessageBox::NoRole, IDNO}};
        case MB_OKCANCEL: return {{"OK", QMessageBox::AcceptRole, IDOK}, {"Cancel", QMessageBox::RejectRole, IDCANCEL}};
        default: return {{"OK", QMessageBox::AcceptRole, IDOK}};
    }
}

}  // namespace

int QtPlatform::messageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box(iconFor(flags), caption, withLineBreaks(text), QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    const std::vector<Button> buttons = buttonsFor(flags);
    std::vector<QPushButton*> shown;
    shown.reserve(buttons.size());
    for (const Button& button : buttons) shown.push_back(box.addButton(QString::fromUtf8(button.text), button.role));
    box.setDefaultButton(shown.front());
    box.setEscapeButton(shown.back());
    box.exec();
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (box.clickedButton() == shown[i]) return buttons[i].answer;
    return buttons.back().answer;
}

void QtPlatform::messageBeep(unsigned) { QApplication::beep(); }

int QtPlatform::execDialog(QDialog& dialog) { return dialog.exec(); }

// The settings folder and file are for every user to read and for root to
// write, whatever umask the caller runs under.
bool QtPlatform::writeRegistry(const std::vector<std::pair<QString, QString>>& values) {
    struct UmaskScope {
        mode_t saved = ::umask(022);
        ~UmaskScope() { ::umask(saved); }
    } umaskScope;
    QSettings settings(QSettings::SystemScope, QStringLiteral("Tarvalind"), QStringLiteral("Nurmavik"));
    if (!settings.isWritable()) return false;
    for (const auto& [key, value] : values) settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError && settings.isWritable();
}

bool QtPlatform::shellOpen(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }

void QtPlatform::renameCloseItem(QWidget&, const QString&) {}
bool QtPlatform::startDetached(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}  // namespace platform
