// SPDX-License-Identifier: GPL-3.0-or-later
// The editor view: opening it, the labels and the save rule, the date check,
// saving new and changed entries, and its keys.
#include "app/DBGrid.h"
#include "app/GlyphButton.h"
#include "app/Unit2.h"
#include "tests/app/FormFixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class Editor : public FormFixture {
protected:
    app::TFrame2& editor() { return *form->Frame21; }
    bool saveAllowed() { return editor().btn1->cursor().shape() == Qt::PointingHandCursor; }
    void chooseDay(int day) {
        editor().txtPaev2->setCurrentIndex(day - 1);
        emit editor().txtPaev2->activated(day - 1);
    }
    void chooseMonth(int month) {
        editor().txtKuu2->setCurrentIndex(month - 1);
        emit editor().txtKuu2->activated(month - 1);
    }
    // Adds an entry through the editor as a user would.
    void addEntry(const QString& name, int day, int month, const QString& year, int type = 0) {
        form->Frame11->btn1->click();
        editor().txtNimi2->insert(name);
        chooseDay(day);
        chooseMonth(month);
        QTest::keyClicks(editor().txtAasta2, year);
        editor().typeButton(type)->click();
        editor().btn1->click();
    }
    std::optional<store::Date> kuupOf(const std::string& name) {
        for (const store::EventRow& row : form->ClientDataSet1.allRows())
            if (row.nimi == name) return row.kuup;
        return std::nullopt;
    }
    const store::EventRow* rowNamed(const std::string& name) {
        for (const store::EventRow& row : form->ClientDataSet1.allRows())
            if (row.nimi == name) return &row;
        return nullptr;
    }
};

TEST_F(Editor, LisaOpensWithTheDefaults) {
    start({{5, 3, 1980, "Mari", "N"}});
    form->Frame11->btn1->click();
    EXPECT_FALSE(form->Frame11->isVisibleTo(form.get()));
    EXPECT_TRUE(editor().isVisibleTo(form.get()));
    EXPECT_TRUE(editor().btn1->isVisibleTo(form.get()));
    EXPECT_FALSE(editor().btn2->isVisibleTo(form.get()));
    EXPECT_EQ(editor().txtPaev2->currentText(), "1");
    EXPECT_EQ(editor().txtKuu2->currentText(), "1");
    EXPECT_EQ(editor().Label8->text(), "jaanuar");
    EXPECT_EQ(editor().Label9->text(), "?");
    EXPECT_TRUE(editor().RadioButton1->isChecked());
    EXPECT_TRUE(editor().txtNimi2->text().isEmpty());
    EXPECT_TRUE(editor().txtAasta2->text().isEmpty());
    EXPECT_FALSE(saveAllowed());
    EXPECT_FALSE(editor().btn1->glyph().isNull());

    QTest::keyClick(editor().txtNimi2, Qt::Key_A);
    EXPECT_TRUE(saveAllowed());
    EXPECT_EQ(editor().btn2->cursor().shape(), Qt::PointingHandCursor);
    QTest::keyClick(editor().txtNimi2, Qt::Key_Backspace);
    EXPECT_FALSE(saveAllowed());

    editor().btn1->click();  // not allowed: nothing happens
    EXPECT_TRUE(editor().isVisibleTo(form.get()));
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 1);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
}

TEST_F(Editor, LabelsFollowTheDateAsItIsTyped) {
    start();
    form->Frame11->btn1->click();
    chooseMonth(6);
    chooseDay(15);
    EXPECT_EQ(editor().Label8->text(), "juuni");
    // A short year counts as the whole year that saving stores.
    QTest::keyClicks(editor().txtAasta2, "19");
    EXPECT_EQ(editor().Label9->text(), "7");
    QTest::keyClicks(editor().txtAasta2, "9");
    EXPECT_EQ(editor().Label9->text(), "1827");
    QTest::keyClicks(editor().txtAasta2, "0");
    EXPECT_EQ(editor().Label9->text(), "36");
    chooseDay(16);
    EXPECT_EQ(editor().Label9->text(), "35");
}

TEST_F(Editor, AnImpossibleDateIsRefusedWithASound) {
    start();
    addEntry("Mari", 31, 2, "");
    const auto& calls = desktop.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Call::Beep);
    EXPECT_EQ(calls[0].flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_EQ(calls[1].text, "Vale kuupäev!");
    EXPECT_EQ(calls[1].caption, "Tähelepanu");
    EXPECT_EQ(calls[1].flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_TRUE(editor().isVisibleTo(form.get()));
    EXPECT_EQ(editor().txtNimi2->text(), "Mari");
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 0);
    EXPECT_EQ(form->ClientDataSet1.Tag, 1);

    editor().txtAasta2->setText("0000");
    editor().btn1->click();
    editor().txtAasta2->setText("000");
    chooseDay(1);
    editor().btn1->click();
    EXPECT_EQ(desktop.count(Call::MessageBox), 3);
}

TEST_F(Editor, SavingStoresTheTypeAndTheFullDate) {
    start();
    addEntry("Kaheksakümmend", 1, 2, "80");
    addEntry("Seitsekümmend viis", 1, 2, "75", 1);
    addEntry("Nullkaheksakümmend", 1, 2, "0980", 2);
    addEntry("Liigaasta", 29, 2, "", 3);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
    ASSERT_NE(rowNamed("Kaheksakümmend"), nullptr);
    EXPECT_EQ(rowNamed("Kaheksakümmend")->aasta, 1980);  // the whole year, as in the date
    EXPECT_EQ(rowNamed("Kaheksakümmend")->kuup, (store::Date{1980, 2, 1}));
    EXPECT_EQ(rowNamed("Kaheksakümmend")->tyyp, "S");
    EXPECT_EQ(rowNamed("Seitsekümmend viis")->aasta, 2075);
    EXPECT_EQ(rowNamed("Seitsekümmend viis")->kuup, (store::Date{2075, 2, 1}));
    EXPECT_EQ(rowNamed("Seitsekümmend viis")->tyyp, "T");
    EXPECT_EQ(rowNamed("Nullkaheksakümmend")->aasta, 980);
    EXPECT_EQ(rowNamed("Nullkaheksakümmend")->kuup, (store::Date{980, 2, 1}));
    EXPECT_EQ(rowNamed("Nullkaheksakümmend")->tyyp, "N");
    // 29 February without a year, in a common year: kept, on the last leap day.
    EXPECT_FALSE(rowNamed("Liigaasta")->aasta);
    EXPECT_EQ(rowNamed("Liigaasta")->kuup, (store::Date{2024, 2, 29}));
    EXPECT_EQ(rowNamed("Liigaasta")->tyyp, "M");

    const std::vector<store::EventRow> saved = form->ClientDataSet1.allRows();
    form->close();
    const auto stored = store::readDataPacket(readFile(dataFile()));
    EXPECT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored, saved);
}

TEST_F(Editor, AfterSavingTheListIsBackWithTheNewRowAndNewMenus) {
    start({{5, 3, 1980, "Mari"}});
    addEntry("Õie Šõmer-Žužžälöü & \"<*>\"", 24, 12, "2001");
    EXPECT_TRUE(form->Frame11->isVisibleTo(form.get()));
    EXPECT_FALSE(editor().isVisibleTo(form.get()));
    EXPECT_EQ(gridNames(), "Mari,Õie Šõmer-Žužžälöü & \"<*>\"");
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);
    EXPECT_EQ(gridColumn(app::ColVanus), "46,24");
    EXPECT_TRUE(form->Frame11->MenuAasta->values().contains("2001"));
    EXPECT_TRUE(form->Frame11->MenuNimi->values().contains("Õie Šõmer-Žužžälöü & \"<*>\""));
    EXPECT_TRUE(form->Frame11->MenuVanus->values().contains("24"));
    form->close();
    EXPECT_EQ(store::readDataPacket(readFile(dataFile()))[1].nimi, "Õie Šõmer-Žužžälöü & \"<*>\"");
}

TEST_F(Editor, MuudaOpensAndChangesTheCurrentRecord) {
    start({{5, 3, 1980, "Mari"}, {6, 4, std::nullopt, "Jüri", "N"}, {7, 5, 1999, "Kärt", "X"}});
    form->ClientDataSet1.setRecNo(2);
    form->Frame11->btn2->click();
    EXPECT_FALSE(editor().btn1->isVisibleTo(form.get()));
    EXPECT_TRUE(editor().btn2->isVisibleTo(form.get()));
    EXPECT_EQ(editor().txtNimi2->text(), "Jüri");
    EXPECT_EQ(editor().txtPaev2->currentText(), "6");
    EXPECT_EQ(editor().txtKuu2->currentText(), "4");
    EXPECT_EQ(editor().txtAasta2->text(), "");
    EXPECT_EQ(editor().Label8->text(), "aprill");
    EXPECT_TRUE(editor().RadioButton3->isChecked());
    EXPECT_TRUE(saveAllowed());

    editor().txtNimi2->setText("Jüri Tamm");
    QTest::keyClicks(editor().txtAasta2, "1970");
    editor().btn2->click();
    EXPECT_EQ(gridNames(), "Mari,Jüri Tamm,Kärt");
    EXPECT_EQ(form->ClientDataSet1.allRows().size(), 3u);
    EXPECT_EQ(rowNamed("Jüri Tamm")->aasta, 1970);
    EXPECT_EQ(rowNamed("Jüri Tamm")->tyyp, "N");

    form->ClientDataSet1.setRecNo(3);  // an unknown type opens as "Sünnipäev"
    form->Frame11->btn2->click();
    EXPECT_TRUE(editor().RadioButton1->isChecked());
}

TEST_F(Editor, ARecordOutsideTheListsOpensUnselectedAndCannotBeSaved) {
    start({{40, 13, 1980, "Vigane"}});
    form->Frame11->btn2->click();
    EXPECT_EQ(editor().txtPaev2->currentIndex(), -1);
    EXPECT_EQ(editor().txtKuu2->currentIndex(), -1);
    EXPECT_EQ(editor().Label8->text(), "");
    EXPECT_FALSE(saveAllowed());
    chooseDay(3);
    chooseMonth(3);
    EXPECT_FALSE(saveAllowed());  // only a change of the name evaluates the rule again
    QTest::keyClick(editor().txtNimi2, Qt::Key_X);
    EXPECT_TRUE(saveAllowed());
}

TEST_F(Editor, MuudaOnARecordWithoutANameCannotBeSaved) {
    start({{5, 3, 1980, ""}});
    form->Frame11->btn2->click();  // the first opening: the name was empty already
    EXPECT_FALSE(saveAllowed());
    EXPECT_EQ(editor().btn2->cursor().shape(), Qt::ForbiddenCursor);
    editor().btn2->click();
    EXPECT_TRUE(editor().isVisibleTo(form.get()));
}

TEST_F(Editor, ALongStoredNameIsNeverCut) {
    const std::string longName(90, 'a');
    start({{1, 1, 2000, longName}});
    form->Frame11->btn2->click();
    EXPECT_EQ(editor().txtNimi2->text().size(), 90);
    editor().btn2->click();
    EXPECT_EQ(form->ClientDataSet1.allRows()[0].nimi, longName);
    form->Frame11->btn1->click();
    EXPECT_EQ(editor().txtNimi2->maxLength(), 60);
}

TEST_F(Editor, MuudaOnAnEmptyListWarnsAndStays) {
    start();
    form->Frame11->btn2->click();
    EXPECT_EQ(lastBox()->text, "Andmebaas ei sisalda ühtegi rida!");
    EXPECT_EQ(lastBox()->flags, platform::MB_OK | platform::MB_ICONWARNING);
    EXPECT_TRUE(form->Frame11->isVisibleTo(form.get()));
}

TEST_F(Editor, EnterMovesOnAndEscCancels) {
    start({{5, 3, 1980, "Mari"}});
    form->show();
    form->activateWindow();
    form->Frame11->btn1->click();
    QApplication::processEvents();
    app::TFrame2& e = editor();
    QTest::keyClick(e.txtNimi2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), e.txtPaev2);
    QTest::keyClick(e.txtPaev2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), e.txtKuu2);
    QTest::keyClick(e.txtKuu2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), e.txtAasta2);
    e.RadioButton3->setChecked(true);
    QTest::keyClick(e.txtAasta2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), e.RadioButton3);
    QTest::keyClick(e.RadioButton3, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), e.txtNimi2);

    for (QWidget* control :
         std::initializer_list<QWidget*>{e.txtNimi2, e.txtPaev2, e.txtKuu2, e.txtAasta2, e.RadioButton1}) {
        form->Frame11->btn1->click();
        QTest::keyClicks(e.txtNimi2, "Uus");
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_TRUE(form->Frame11->isVisibleTo(form.get()));
        EXPECT_EQ(form->ClientDataSet1.recordCount(), 1);
    }
}

TEST_F(Editor, TabWalksTheFieldsAndLeavesTheYear) {
    start();
    form->show();
    form->activateWindow();
    form->Frame11->btn1->click();
    QApplication::processEvents();
    app::TFrame2& e = editor();
    e.RadioButton2->setChecked(true);
    const std::vector<QWidget*> order = {e.txtNimi2, e.txtPaev2, e.txtKuu2, e.txtAasta2, e.RadioButton2};
    for (size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "Tab " << i;
    }
    for (size_t i = order.size() - 1; i-- > 0;) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "Shift+Tab to " << i;
    }

    e.txtAasta2->setFocus();
    QTest::keyClicks(e.txtAasta2, "80");
    QTest::keyClick(e.txtAasta2, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(e.txtAasta2->text(), "80");
    EXPECT_EQ(QApplication::focusWidget(), e.RadioButton2);
}

TEST_F(Editor, TheYearTakesOnlyFourDigits) {
    start();
    form->Frame11->btn1->click();
    QLineEdit* year = editor().txtAasta2;
    QTest::keyClicks(year, "1a9 -8x05");
    EXPECT_EQ(year->text(), "1980");
    QTest::keyClick(year, Qt::Key_Backspace);
    EXPECT_EQ(year->text(), "198");
    QTest::keyClicks(year, "45");
    EXPECT_EQ(year->text(), "1984");
    year->clear();
    year->insert("19a0");  // pasted text must be digits
    EXPECT_EQ(year->text(), "");
    year->insert("0");
    EXPECT_EQ(year->text(), "0");
    EXPECT_EQ(editor().Label9->text(), "26");
}

TEST_F(Editor, AddFilterAndResortWorkTogether) {
    start({{5, 3, 1980, "Mari"}});
    addEntry("Jaan", 24, 6, "1990");
    addEntry("Jaanipäev", 24, 6, "", 1);
    chooseValue(app::ColKuu, "Juuni");
    EXPECT_EQ(gridNames(), "Jaanipäev,Jaan");  // no year comes first
    QTest::mouseClick(form->Frame11->DBGrid1->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(form->Frame11->DBGrid1->columnViewportPosition(app::ColAasta) + 5, 5));
    EXPECT_EQ(gridNames(), "Jaan,Jaanipäev");
    form->ClientDataSet1.setRecNo(1);
    form->Frame11->btn2->click();
    QTest::keyClicks(editor().txtNimi2, " Tamm");
    editor().btn2->click();
    EXPECT_EQ(gridNames(), "Jaan Tamm,Jaanipäev");
    EXPECT_TRUE(form->Frame11->MenuNimi->values().contains("Jaan Tamm"));
    form->close();
    EXPECT_EQ(store::readDataPacket(readFile(dataFile())).size(), 3u);
}

}  // namespace
