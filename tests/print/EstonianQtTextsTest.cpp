// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/EstonianQtTexts.h"
#include "print/PrintDialogCaptions.h"
#include "tests/support/QtPrinters.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Words and phrases of Qt's English print dialog, its printer properties and
// its file chooser. "Printer" and "Port" are not here: they are Estonian too.
const QStringList kEnglish = {
    "Print",       "Printing",      "Output file",
    "Options",     "Copies",        "Color Mode",
    "Color",       "Grayscale",     "Double Sided",
    "Duplex",      "binding",       "Off",
    "Page Set",    "Print to File", "Properties",
    "Cancel",      "Pages from",    "Print range",
    "Print all",   "Selection",     "Current Page",
    "All Pages",   "Odd Pages",     "Even Pages",
    "Collate",     "Reverse",       "Output Settings",
    "Location",    "Local file",    "Write PDF",
    "Preview",     "Name",          "Type",
    "Form",        "Orientation",   "Portrait",
    "Landscape",   "Paper",         "Page size",
    "Width",       "Height",        "Margins",
    "margin",      "Page Layout",   "Pages per sheet",
    "Page order",  "Left to Right", "Top to Bottom",
    "Millimeters", "Inches",        "Points",
    "Letter",      "Legal",         "Executive",
    "Envelope",    "Custom",        "Page",
    "Job",         "Advanced",      "Banner",
    "Billing",     "Priority",      "Immediately",
    "Secret",      "conflicts",     "Look in",
    "Back",        "Forward",       "Parent Directory",
    "New Folder",  "List View",     "Detail View",
    "File name",   "Files of type", "Save",
    "All Files",   "Files",         "Sidebar",
    "Size",        "Date Modified", "Scroll",
};

// Every text a person can read on `window` and the widgets in it, "&" marks
// left in: the captions, titles, list items, tab names, tips and the headings
// of lists. The entries of file lists, and the folders a file chooser offers,
// are left out: they are names on disk.
QStringList textsOf(QWidget* window) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    QStringList texts{window->windowTitle()};
    for (QWidget* widget : widgets) {
        texts << widget->toolTip() << widget->accessibleName();
        if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) texts << group->title();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) texts << edit->placeholderText();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                if (!QDir::isAbsolutePath(combo->itemText(i))) texts << combo->itemText(i);
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
        if (auto* header = qobject_cast<QHeaderView*>(widget); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
    }
    texts.removeAll(QString());
    return texts;
}

// The English words and phrases found in `texts`, each with the text it is in.
QStringList englishIn(const QStringList& texts) {
    QStringList found;
    for (const QString& text : texts) {
        const QString plain = QString(text).remove(QLatin1Char('&'));
        for (const QString& english : kEnglish) {
            const QRegularExpression word(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(english)),
                                          QRegularExpression::CaseInsensitiveOption);
            if (plain.contains(word)) found << english + QStringLiteral(" in \"") + text + QLatin1Char('"');
        }
    }
    return found;
}

// Clicks `opener` inside the shown dialog and reads the modal window it opens.
QStringList textsOfWindowOpenedBy(QAbstractButton* opener) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        QWidget* opened = QApplication::activeModalWidget();
        texts = textsOf(opened);
        if (auto* dialog = qobject_cast<QDialog*>(opened)) dialog->reject();
    });
    opener->click();
    return texts;
}

struct DialogTexts {
    QStringList main, properties, fileChooser;
};

// Shows the print dialog as the program does, with its options expanded, and
// reads it, the printer properties and the file chooser of its "..." button.
DialogTexts readPrintDialog() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer);
    print::installEstonianCaptions(&dialog);
    DialogTexts read;
    QTimer::singleShot(0, &dialog, [&] {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (!button->isCheckable() && button->text().contains(QLatin1String(">>"))) button->click();
        read.main = textsOf(&dialog);
        if (auto* properties = dialog.findChild<QPushButton*>(QStringLiteral("properties")))
            read.properties = textsOfWindowOpenedBy(properties);
        if (auto* chooser = dialog.findChild<QToolButton*>(QStringLiteral("fileBrowser")))
            read.fileChooser = textsOfWindowOpenedBy(chooser);
        dialog.reject();
    });
    dialog.exec();
    return read;
}

}  // namespace

// The catalog is installed once for all tests, and twice to show that a
// second install changes nothing.
class EstonianQtTexts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installed = print::installEstonianQtTexts() && print::installEstonianQtTexts(); }
    void SetUp() override { ASSERT_TRUE(installed); }
    static inline bool installed = false;
};

TEST_F(EstonianQtTexts, PrintDialogHasNoEnglishWord) {
    const DialogTexts read = readPrintDialog();
    EXPECT_FALSE(read.properties.isEmpty());
    EXPECT_FALSE(read.fileChooser.isEmpty());
    const QStringList english = englishIn(read.main + read.properties + read.fileChooser);
    EXPECT_TRUE(english.isEmpty()) << qPrintable(english.join(QStringLiteral("; ")));

    for (const char* estonian : {"Printimine", "Prindi faili (PDF)", "Väljund&fail:", "Koopiad", "Valikud",
                                 "Värvirežiim", "Kahepoolne printimine", "Lehekülgede valik:", "&Valikud <<"})
        EXPECT_TRUE(read.main.contains(QString::fromUtf8(estonian))) << estonian;
    for (const char* estonian :
         {"Printeri omadused", "Paberi suurus:", "Paigutus", "Püstpaigutus", "Rõhtpaigutus", "Veerised", "Loobu"})
        EXPECT_TRUE(read.properties.contains(QString::fromUtf8(estonian))) << estonian;
    EXPECT_TRUE(read.fileChooser.contains(QStringLiteral("Faili printimine")));
}

TEST_F(EstonianQtTexts, CaptionsOfTheProgramStillWin) {
    const QStringList main = readPrintDialog().main;
    for (const char* caption : {"&Printer", "&Nimi:", "Port:", "Tüüp:", "&Omadused", "&Prindi", "&Kõik", "&alates",
                                "&kuni", "&Lehed", "&Selekteering", "&Paber", "&Koopiate arv:", "&", "&OK", "&Loobu"})
        EXPECT_TRUE(main.contains(QString::fromUtf8(caption))) << caption;
}
