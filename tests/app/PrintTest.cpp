// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the list view: the warning, the dialog, one job per copy, and
// the list as it was afterwards.
#include "app/DBGrid.h"
#include "app/GlyphButton.h"
#include "tests/app/FormFixture.h"

#include <QComboBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTextBlock>

namespace {

class Printing : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        std::vector<Entry> entries;
        for (int i = 1; i <= 60; ++i)
            entries.push_back({i % 28 + 1, i % 12 + 1, 1950 + i, "Nimi " + std::to_string(i), i % 5 ? "S" : "T"});
        start(entries);
        form->printer().setOutputFormat(QPrinter::PdfFormat);
        form->printer().setOutputFileName(QString::fromStdString(dir.file("list.pdf")));
        form->printJob = [this](const print::ReportDocument& report, QPrinter& printer, const QString& title) {
            jobTitles << title;
            return print::printReport(report, printer, title);
        };
    }
    QString reportText() const { return form->RichEdit1.document().toPlainText(); }

    QStringList jobTitles;
};

TEST_F(Printing, AnEmptyViewWarnsWithoutADialog) {
    chooseValue(app::ColNimi, "Nimi 1");
    chooseValue(app::ColKuu, "Jaanuar");
    ASSERT_EQ(form->ClientDataSet1.recordCount(), 0);
    form->Frame11->btn4->click();
    EXPECT_EQ(lastBox()->text, "Andmebaas ei sisalda ühtegi rida!");
    EXPECT_EQ(lastBox()->caption, "Tähelepanu");
    EXPECT_EQ(lastBox()->flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_EQ(desktop.count(Call::Dialog), 0);
}

TEST_F(Printing, ACancelledDialogPrintsNothing) {
    form->ClientDataSet1.setRecNo(7);
    form->Frame11->btn4->click();
    EXPECT_EQ(desktop.count(Call::Dialog), 1);
    EXPECT_TRUE(jobTitles.isEmpty());
    EXPECT_EQ(form->RichEdit1.lineCount(), 1);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 7);
}

TEST_F(Printing, EveryCopyIsAJobOfItsOwnAndTheListComesBack) {
    form->ClientDataSet1.setRecNo(42);
    QString allCaption;
    desktop.dialogHandler = [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        if (auto* all = dialog.findChild<QRadioButton*>(QStringLiteral("printAll"))) allCaption = all->text();
        dialog.hide();
        static_cast<QPrintDialog&>(dialog).printer()->setCopyCount(2);
        return int(QDialog::Accepted);
    };
    form->Frame11->btn4->click();
    EXPECT_EQ(allCaption, "&Kõik");
    EXPECT_EQ(jobTitles, (QStringList{"Zerizedozi", "Zerizedozi"}));
    EXPECT_EQ(form->ClientDataSet1.recNo(), 42);
    EXPECT_EQ(form->Frame11->DBGrid1->currentIndex().row(), 41);
    EXPECT_TRUE(form->Frame11->DBGrid1->isVisibleTo(form.get()));
    EXPECT_EQ(form->RichEdit1.lineCount(), 65 + 60);  // 60 records: two report pages
    const std::string pdf = readFile(dir.file("list.pdf"));
    EXPECT_FALSE(pdf.empty());
}

TEST_F(Printing, TheDialogOffersOnlyWhatTheReportHonours) {
    QStringList enabled, disabled;
    desktop.dialogHandler = [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        for (const char* name : {"printAll", "printRange", "from", "to", "pagesRadioButton", "pagesLineEdit",
                                 "printCurrentPage", "printSelection"}) {
            auto* control = dialog.findChild<QWidget*>(QLatin1String(name));
            if (control) (control->isEnabled() ? enabled : disabled) << QLatin1String(name);
        }
        EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("printSelection"))->isHidden());
        EXPECT_TRUE(dialog.findChild<QRadioButton*>(QStringLiteral("printAll"))->isChecked());
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        EXPECT_TRUE(printers && printers->isEnabled() && printers->findText("PDF", Qt::MatchContains) >= 0);
        dialog.hide();
        return int(QDialog::Accepted);
    };
    form->Frame11->btn4->click();
    EXPECT_EQ(enabled, QStringList{"printAll"});
    EXPECT_EQ(disabled.size(), 7);
    EXPECT_FALSE(readFile(dir.file("list.pdf")).empty());  // printing to a PDF file stays
}

TEST_F(Printing, TheReportFollowsTheGridsOrderAndFilters) {
    chooseValue(app::ColTyyp, "Tähtpäevad");
    form->Frame11DBGrid1TitleClick(app::ColAasta);
    desktop.answerNextDialog(QDialog::Accepted);
    form->Frame11->btn4->click();
    const QString text = reportText();
    EXPECT_TRUE(text.contains("\t\tFilter:  Tüüp Tähtpäevad\n\n")) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains("\t\tSeisuga: 15.06.2026"));
    const qsizetype first = text.indexOf("Nimi 60 ");
    const qsizetype second = text.indexOf("Nimi 55 ");
    EXPECT_GE(first, 0);
    EXPECT_LT(first, second);  // descending by year, as the grid shows it
    EXPECT_FALSE(text.contains("Nimi 59 "));
    EXPECT_EQ(text.count(" Tähtpäev\n"), 12);
}

}  // namespace
