// SPDX-License-Identifier: GPL-3.0-or-later
// The list view: what the grid shows, re-sorting by title clicks, deleting,
// and the keys and clicks that open the editor.
#include "app/BevelPanel.h"
#include "app/DBGrid.h"
#include "app/GlyphButton.h"
#include "app/Unit2.h"
#include "tests/app/FormFixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

using platform::IDCANCEL;
using platform::IDNO;
using platform::IDOK;
using platform::IDYES;

class ListView : public FormFixture {
protected:
    void startWithFamily() {
        start({{5, 3, 1980, "Mari"},
               {24, 12, std::nullopt, "Jõulud", "T"},
               {5, 3, 1975, "Jüri"},
               {1, 1, 2000, "Anneli", "N"},
               {15, 6, 1990, "Šarlotte"},
               {5, 3, std::nullopt, "Ants", "M"}});
    }
    void click(int column) { form->Frame11DBGrid1TitleClick(column); }
};

TEST_F(ListView, ShowsTwoDigitDaysAndMonthsAndTheAge) {
    startWithFamily();
    EXPECT_EQ(gridNames(), "Anneli,Ants,Jüri,Mari,Šarlotte,Jõulud");
    EXPECT_EQ(gridColumn(app::ColPaev), "01,05,05,05,15,24");
    EXPECT_EQ(gridColumn(app::ColKuu), "01,03,03,03,06,12");
    EXPECT_EQ(gridColumn(app::ColAasta), "2000,,1975,1980,1990,");
    EXPECT_EQ(gridColumn(app::ColVanus), "26,?,51,46,36,?");  // the birthday itself counts
    EXPECT_EQ(gridColumn(app::ColTyyp), "N,M,S,S,S,T");
    const QAbstractItemModel& model = *form->DataSource1;
    EXPECT_EQ(model.headerData(app::ColTyyp, Qt::Horizontal).toString(), "Tüüp ");
    EXPECT_EQ(model.headerData(app::ColNimi, Qt::Horizontal).toString(), "Nimi");
    EXPECT_EQ(model.index(0, app::ColPaev).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(model.index(0, app::ColVanus).data(Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter, Qt::AlignHCenter);
    const app::DBGrid& grid = *form->Frame11->DBGrid1;
    EXPECT_EQ(grid.columnWidth(app::ColNimi), 228);
    EXPECT_EQ(grid.columnWidth(app::ColPaev), 31);
    EXPECT_GT(grid.columnWidth(app::ColTyyp), 4);
    EXPECT_EQ(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

// Outside in: a sunken border of 2 pixels (grey over white, then black over
// light grey) and a raised bevel of 1 pixel (white over grey) around the grid.
TEST_F(ListView, TheGridSitsInASunkenBorderWithARaisedBevelInside) {
    start();
    QWidget* panel = form->Frame11->Panel2;
    EXPECT_EQ(form->Frame11->DBGrid1->geometry(), QRect(3, 3, 398, 253));
    const QImage shown = panel->grab().toImage();
    const int midX = panel->width() / 2, midY = panel->height() / 2;
    const int right = panel->width() - 1, bottom = panel->height() - 1;
    const std::array<std::pair<QString, QString>, 3> rings = {
        std::pair{"#808080", "#ffffff"},
        std::pair{"#000000", "#c0c0c0"},
        std::pair{"#ffffff", "#808080"},
    };
    for (int in = 0; in < 3; ++in) {
        const auto& [topLeft, bottomRight] = rings[static_cast<size_t>(in)];
        EXPECT_EQ(shown.pixelColor(in, midY).name(), topLeft) << in;
        EXPECT_EQ(shown.pixelColor(midX, in).name(), topLeft) << in;
        EXPECT_EQ(shown.pixelColor(right - in, midY).name(), bottomRight) << in;
        EXPECT_EQ(shown.pixelColor(midX, bottom - in).name(), bottomRight) << in;
    }
}

TEST_F(ListView, TitleClicksSortDescendingThenAscendingPerColumn) {
    startWithFamily();
    click(app::ColNimi);
    EXPECT_EQ(gridNames(), "Šarlotte,Mari,Jüri,Jõulud,Ants,Anneli");  // Estonian: š after s, õ after ü? no: õ after w
    click(app::ColNimi);
    EXPECT_EQ(gridNames(), "Anneli,Ants,Jõulud,Jüri,Mari,Šarlotte");
    click(app::ColNimi);
    EXPECT_EQ(gridNames(), "Šarlotte,Mari,Jüri,Jõulud,Ants,Anneli");

    click(app::ColAasta);  // descending: the youngest first
    EXPECT_EQ(gridColumn(app::ColAasta), "2000,1990,1980,1975,,");
    click(app::ColVanus);  // its own flag was still off: descending again
    EXPECT_EQ(gridColumn(app::ColAasta), "2000,1990,1980,1975,,");
    click(app::ColVanus);
    EXPECT_EQ(gridColumn(app::ColAasta), ",,1975,1980,1990,2000");

    click(app::ColTyyp);
    EXPECT_EQ(gridColumn(app::ColTyyp), "T,S,S,S,N,M");
    EXPECT_EQ(gridNames(), "Jõulud,Šarlotte,Mari,Jüri,Anneli,Ants");  // within a type: year, month, day, name
    EXPECT_EQ(form->ClientDataSet1.recNo(), 1);
    EXPECT_EQ(gridColumn(app::ColVanus).substr(0, 1), "?");  // ages still computed
}

TEST_F(ListView, NamesFollowTheEstonianAlphabet) {
    start({{1, 1, 2000, "Zoja"},
           {1, 1, 2000, "Šura"},
           {1, 1, 2000, "Sirje"},
           {1, 1, 2000, "Ülle"},
           {1, 1, 2000, "Õie"},
           {1, 1, 2000, "Wilma"},
           {1, 1, 2000, "Žanna"},
           {1, 1, 2000, "Tõnu"},
           {1, 1, 2000, "ants"},
           {1, 1, 2000, "Ants"}});
    click(app::ColNimi);
    click(app::ColNimi);
    EXPECT_EQ(gridNames(), "ants,Ants,Sirje,Šura,Zoja,Žanna,Tõnu,Wilma,Õie,Ülle");
}

TEST_F(ListView, ATitleClickWritesOnlyWhatChangedAndKeepsTheFilter) {
    startWithFamily();
    const std::string before = readFile(dataFile());
    click(app::ColKuu);
    EXPECT_EQ(readFile(dataFile()), before);
    EXPECT_EQ(files.replaceCalls, 0);

    form->ClientDataSet1.setRecNo(2);
    form->ClientDataSet1.deleteRecord();
    chooseValue(app::ColKuu, "Märts");
    click(app::ColKuu);
    EXPECT_EQ(files.replaceCalls, 1);
    EXPECT_EQ(store::readDataPacket(readFile(dataFile())).size(), 5u);  // all rows, not only the filtered ones
    EXPECT_EQ(gridNames(), "Ants,Jüri,Mari");                           // the second click on Kuu: ascending
    EXPECT_TRUE(form->ClientDataSet1.filtered());
}

TEST_F(ListView, AFailedWriteDuringAResortKeepsTheList) {
    startWithFamily();
    form->ClientDataSet1.deleteRecord();
    files.replaceFailures = 1;
    EXPECT_THROW(click(app::ColNimi), store::WriteError);
    EXPECT_TRUE(form->ClientDataSet1.active());
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 5);
    click(app::ColNimi);
    EXPECT_EQ(store::readDataPacket(readFile(dataFile())).size(), 5u);
}

TEST_F(ListView, KustutaAsksBeforeDeleting) {
    startWithFamily();
    form->ClientDataSet1.setRecNo(3);
    desktop.answerNext(IDNO);
    form->Frame11->btn3->click();
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 6);
    const Call* question = lastBox();
    EXPECT_EQ(question->text, "Kas kustutada rida andmebaasist?");
    EXPECT_EQ(question->caption, "Kustutamine");
    EXPECT_EQ(question->flags, platform::MB_YESNO | platform::MB_ICONQUESTION);

    desktop.answerNext(IDYES);
    form->Frame11->btn3->click();
    EXPECT_EQ(gridNames(), "Anneli,Ants,Mari,Šarlotte,Jõulud");
    EXPECT_EQ(form->ClientDataSet1.fieldText(store::Nimi), "Mari");
    // The name menu keeps offering the deleted name until the next save.
    EXPECT_TRUE(form->Frame11->MenuNimi->values().contains("Jüri"));
    chooseValue(app::ColNimi, "Jüri");
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 0);
}

TEST_F(ListView, KustutaOnAnEmptyListWarns) {
    start();
    form->Frame11->btn3->click();
    EXPECT_EQ(lastBox()->text, "Andmebaas ei sisalda ühtegi rida!");
    EXPECT_EQ(lastBox()->caption, "Tähelepanu");
    EXPECT_EQ(lastBox()->flags, platform::MB_OK | platform::MB_ICONWARNING);
}

TEST_F(ListView, CtrlDeleteAsksInTheToolkitsEnglish) {
    startWithFamily();
    desktop.answerNext(IDCANCEL);
    QTest::keyClick(form->Frame11->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 6);
    EXPECT_EQ(lastBox()->text, "Delete record?");
    EXPECT_EQ(lastBox()->caption, "Confirm");
    EXPECT_EQ(lastBox()->flags, platform::MB_OKCANCEL | platform::MB_ICONQUESTION);
    desktop.answerNext(IDOK);
    QTest::keyClick(form->Frame11->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 5);

    desktop.clear();
    writeEntries({});
    start();
    QTest::keyClick(form->Frame11->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
}

TEST_F(ListView, EnterAndDoubleClickOpenTheCurrentRecord) {
    start();
    QWidget* titles = form->Frame11->DBGrid1->horizontalHeader()->viewport();
    const QPoint nameTitle(form->Frame11->DBGrid1->columnViewportPosition(app::ColNimi) + 5, 5);
    QTest::keyClick(form->Frame11->DBGrid1, Qt::Key_Return);
    form->Frame11DBGrid1DblClick();
    QTest::mouseDClick(titles, Qt::LeftButton, {}, nameTitle);
    EXPECT_EQ(desktop.count(Call::MessageBox), 0);
    EXPECT_FALSE(form->Frame21->isVisibleTo(form.get()));

    startWithFamily();
    form->ClientDataSet1.setRecNo(4);
    QTest::keyClick(form->Frame11->DBGrid1, Qt::Key_Return);
    EXPECT_TRUE(form->Frame21->isVisibleTo(form.get()));
    EXPECT_FALSE(form->Frame11->isVisibleTo(form.get()));
    EXPECT_EQ(form->Frame21->txtNimi2->text(), "Mari");

    // On the title row: its first click sorts, the double-click opens.
    startWithFamily();
    titles = form->Frame11->DBGrid1->horizontalHeader()->viewport();
    QTest::mouseDClick(titles, Qt::RightButton, {}, nameTitle);
    EXPECT_FALSE(form->Frame21->isVisibleTo(form.get()));
    QTest::mouseClick(titles, Qt::LeftButton, {}, nameTitle);
    QTest::mouseDClick(titles, Qt::LeftButton, {}, nameTitle);
    EXPECT_TRUE(form->Frame21->isVisibleTo(form.get()));
    EXPECT_EQ(gridNames(), "Šarlotte,Mari,Jüri,Jõulud,Ants,Anneli");
    EXPECT_EQ(form->Frame21->txtNimi2->text().toStdString(), form->ClientDataSet1.fieldText(app::ColNimi));
}

TEST_F(ListView, KeysMoveByRows) {
    startWithFamily();
    app::DBGrid* grid = form->Frame11->DBGrid1;
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 3);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 6);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 6);
    EXPECT_EQ(form->ClientDataSet1.recordCount(), 6);
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 1);
    for (int i = 0; i < 6; ++i) QTest::keyClick(grid, Qt::Key_Tab);  // past the last column: the next row
    EXPECT_EQ(form->ClientDataSet1.recNo(), 2);
    EXPECT_EQ(grid->currentIndex().column(), 0);
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_EQ(form->ClientDataSet1.recNo(), 1);
}

TEST_F(ListView, ARightClickOpensOnlyInsideTheColumns) {
    startWithFamily();
    form->show();
    QApplication::processEvents();
    app::DBGrid* grid = form->Frame11->DBGrid1;
    QSignalSpy asked(grid, &app::DBGrid::columnMenuRequested);
    const int nameX = grid->columnViewportPosition(app::ColNimi) + 10;
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, QPoint(nameX, 5));
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, QPoint(nameX, grid->viewport()->height() - 2));
    QTest::mouseRelease(grid->viewport(), Qt::RightButton, {}, QPoint(grid->viewport()->width() - 2, 5));
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.at(0).at(0).toInt(), app::ColNimi);

    // Every title, released on the header's viewport where its mouse events go.
    asked.clear();
    QWidget* titles = grid->horizontalHeader()->viewport();
    for (int column = 0; column < app::kGridColumns; ++column)
        QTest::mouseRelease(titles, Qt::RightButton, {}, QPoint(grid->columnViewportPosition(column) + 3, 5));
    QTest::mouseRelease(titles, Qt::RightButton, {}, QPoint(titles->width() - 2, 5));
    ASSERT_EQ(asked.count(), app::kGridColumns);
    for (int column = 0; column < app::kGridColumns; ++column) EXPECT_EQ(asked.at(column).at(0).toInt(), column);
}

}  // namespace
