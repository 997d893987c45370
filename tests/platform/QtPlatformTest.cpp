// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace platform {
namespace {

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons()) texts << button->text();
    texts.sort();
    return texts;
}

QAbstractButton* buttonWithText(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons())
        if (button->text() == text) return button;
    return nullptr;
}

// Shows the box and lets `act` look at it and answer it once it is on screen.
int showBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags,
            const std::function<void(QMessageBox&)>& act) {
    QTimer::singleShot(0, [&act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no modal message box";
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* stray = qobject_cast<QMessageBox*>(widget)) stray->done(0);
            return;
        }
        act(*box);
    });
    return QtPlatform().messageBox(owner, text, caption, flags);
}

TEST(QtPlatformMessageBox, ShowsEstonianYesNoQuestionAndAnswersYes) {
    QWidget owner;
    const int answer = showBox(&owner, "Kustutan kirje?\r\rSeda ei saa tagasi võtta.", "Kinnitus",
                               MB_YESNO | MB_ICONQUESTION, [&](QMessageBox& box) {
                                   EXPECT_EQ(box.windowTitle(), "Kinnitus");
                                   EXPECT_EQ(box.text(), "Kustutan kirje?\n\nSeda ei saa tagasi võtta.");
                                   EXPECT_EQ(box.icon(), QMessageBox::Question);
                                   EXPECT_EQ(box.parentWidget(), &owner);
                                   EXPECT_EQ(buttonTexts(box), QStringList({"Ei", "Jah"}));
                                   EXPECT_EQ(box.defaultButton(), buttonWithText(box, "Jah"));
                                   QAbstractButton* yes = buttonWithText(box, "Jah");
                                   ASSERT_NE(yes, nullptr);
                                   yes->click();
                               });
    EXPECT_EQ(answer, IDYES);
}

TEST(QtPlatformMessageBox, ButtonsIconsAndEscapeFollowTheFlags) {
    struct Case {
        unsigned flags;
        QStringList buttons;
        QMessageBox::Icon icon;
        int escapeAnswer;
    };
    const Case cases[] = {
        {MB_OK, {"OK"}, QMessageBox::NoIcon, IDOK},
        {MB_OK | MB_ICONERROR, {"OK"}, QMessageBox::Critical, IDOK},
        {MB_YESNO | MB_ICONWARNING, {"Ei", "Jah"}, QMessageBox::Warning, IDNO},
        {MB_OKCANCEL, {"Cancel", "OK"}, QMessageBox::NoIcon, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const int answer = showBox(nullptr, "Tekst", "Pealkiri", c.flags, [&](QMessageBox& box) {
            EXPECT_EQ(buttonTexts(box), c.buttons);
            EXPECT_EQ(box.icon(), c.icon);
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        EXPECT_EQ(answer, c.escapeAnswer);
    }
}

TEST(QtPlatformMessageBox, ClosingTheWindowAnswersLikeEscape) {
    const int answer = showBox(nullptr, "Tekst", "Pealkiri", MB_OKCANCEL, [](QMessageBox& box) { box.close(); });
    EXPECT_EQ(answer, IDCANCEL);
}

TEST(QtPlatformMessageBox, ShowsMarkupFromTheDataFileAsPlainText) {
    const QString planted = "Type mismatch: <h1 style='color:red'>Viga</h1><a href='http://x'>klikk</a>";
    showBox(nullptr, planted, "Tähelepanu", MB_OK | MB_ICONERROR, [&](QMessageBox& box) {
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.text(), planted);
        box.close();
    });
}

// "/etc/xdg" on Linux: the folder that holds "<maker>/<program>.conf".
QString systemSettingsDir() {
    return QFileInfo(QSettings(QSettings::SystemScope, "Tarvalind", "Nurmavik").fileName())
        .dir()
        .path()
        .section(QLatin1Char('/'), 0, -2);
}

// Points the machine-wide settings at a folder of the test's own.
class QtPlatformRegistry : public testing::Test {
protected:
    void TearDown() override { useSystemSettingsDir(savedDir_); }
    static void useSystemSettingsDir(const QString& dir) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir);
    }
    QTemporaryDir temp_;

private:
    QString savedDir_ = systemSettingsDir();
};

TEST_F(QtPlatformRegistry, WritesValuesUnderTheMakersKey) {
    useSystemSettingsDir(temp_.path());
    ASSERT_TRUE(QtPlatform().writeRegistry({{"Nimi", "Mari Maasikas"}, {"Kood", "12345"}}));
    QSettings written(temp_.filePath("Tarvalind/Nurmavik.conf"), QSettings::IniFormat);
    EXPECT_EQ(written.value("Nimi").toString(), "Mari Maasikas");
    EXPECT_EQ(written.value("Kood").toString(), "12345");
}

TEST_F(QtPlatformRegistry, CreatesTheFolderAndFileForAllToReadWhateverTheUmask) {
    useSystemSettingsDir(temp_.path());
    const mode_t saved = ::umask(0);
    const bool written = QtPlatform().writeRegistry({{"Versioon", "1"}});
    ::umask(saved);
    ASSERT_TRUE(written);
    struct stat folder {
    }, file{};
    ASSERT_EQ(::stat(QFile::encodeName(temp_.filePath("Tarvalind")).constData(), &folder), 0);
    ASSERT_EQ(::stat(QFile::encodeName(temp_.filePath("Tarvalind/Nurmavik.conf")).constData(), &file), 0);
    EXPECT_EQ(folder.st_mode & 07777, 0755u);
    EXPECT_EQ(file.st_mode & 07777, 0644u);
}

TEST_F(QtPlatformRegistry, FailsWhenTheSettingsFileCannotBeWritten) {
    QFile blocker(temp_.filePath("not-a-directory"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    useSystemSettingsDir(blocker.fileName());
    EXPECT_FALSE(QtPlatform().writeRegistry({{"Nimi", "Mari Maasikas"}}));
}

}  // namespace
}  // namespace platform
