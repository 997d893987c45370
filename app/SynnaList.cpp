// SPDX-License-Identifier: GPL-3.0-or-later
// The list view's handlers: delete, re-sort by a title click, open the
// current record, and the column menus.
#include "app/DBGrid.h"
#include "app/DataSource.h"
#include "app/FilterMenu.h"
#include "app/GlyphButton.h"
#include "app/Synna.h"
#include "app/Texts.h"
#include "app/Unit1.h"
#include "platform/Platform.h"

#include <QAction>

namespace app {

using namespace platform;

namespace {

// The index's field list for a title click, by grid column.
constexpr const char* kSortFields[kGridColumns] = {
    "Paev;Kuu;Aasta;Nimi", "Kuu;Paev;Aasta;Nimi", "Aasta;Kuu;Paev;Nimi",
    "Nimi;Kuu;Paev;Aasta", "Aasta;Kuu;Paev;Nimi", "Tyyp;Aasta;Kuu;Paev;Nimi",
};

}  // namespace

void TForm1::connectListView() {
    DBGrid* grid = Frame11->DBGrid1;
    connectGuarded(Frame11->btn1, &QPushButton::clicked, [this] { Frame11btn1Click(); });
    connectGuarded(Frame11->btn2, &QPushButton::clicked, [this] { Frame11btn2Click(); });
    connectGuarded(Frame11->btn3, &QPushButton::clicked, [this] { Frame11btn3Click(); });
    connectGuarded(Frame11->btn4, &QPushButton::clicked, [this] { Frame11btn4Click(); });
    connectGuarded(grid, &DBGrid::titleClicked, [this](int column) { Frame11DBGrid1TitleClick(column); });
    connectGuarded(grid, &DBGrid::gridDoubleClicked, [this] { Frame11DBGrid1DblClick(); });
    connectGuarded(grid, &DBGrid::keyTyped, [this](QChar key) { Frame11DBGrid1KeyPress(key); });
    connectGuarded(grid, &DBGrid::deleteRequested, [this] { Frame11DBGrid1ConfirmDelete(); });
    connect(grid, &DBGrid::columnMenuRequested, this, &TForm1::showColumnMenu);
    connect(DataSource1, &DataSource::currentRowChanged, grid, [grid](int row) {
        if (!grid->model()) return;
        const int column = grid->currentIndex().isValid() ? grid->currentIndex().column() : 0;
        if (row >= 0) grid->setCurrentIndex(grid->model()->index(row, column));
    });
    for (FilterMenu* menu : Frame11->columnMenus())
        connectGuarded(menu, &FilterMenu::chosen, [this](QAction* item) { Frame11Kik2Click(item); });
}

void TForm1::Frame11btn3Click() {
    if (warnedListEmpty()) return;
    if (platform_.messageBox(this, QString::fromUtf8(texts::kDeleteQuestion), QString::fromUtf8(texts::kDeleteCaption),
                             MB_ICONQUESTION | MB_YESNO) == IDYES)
        ClientDataSet1.deleteRecord();
}

void TForm1::Frame11DBGrid1ConfirmDelete() {
    if (!ClientDataSet1.active() || ClientDataSet1.recordCount() == 0) return;
    if (platform_.messageBox(this, QString::fromUtf8(texts::kConfirmDelete), QString::fromUtf8(texts::kConfirmCaption),
                             MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        ClientDataSet1.deleteRecord();
}

void TForm1::Frame11DBGrid1TitleClick(int column) {
    ClientDataSet1.close();
    store::IndexDef& index = ClientDataSet1.indexDef();
    index.fields = kSortFields[column];
    bool& descending = SortDescending[static_cast<size_t>(column)];
    descending = !descending;
    index.descending = descending;
    ClientDataSet1.open();
}

void TForm1::Frame11DBGrid1DblClick() {
    if (ClientDataSet1.recordCount() != 0) Frame11->btn2->click();
}

void TForm1::Frame11DBGrid1KeyPress(QChar& key) {
    if (key == QChar(13)) Frame11DBGrid1DblClick();
}

void TForm1::showColumnMenu(int column, const QPoint& globalPos) {
    FilterMenu* menu = Frame11->columnMenus()[static_cast<size_t>(column)];
    menu->ensureBuilt();
    if (!menu->isEmpty()) menu->popup(globalPos);
}

}  // namespace app
