// SPDX-License-Identifier: GPL-3.0-or-later
// The list view: a toolbar of four buttons over the grid, and the six
// column filter menus. Controls only; the main window handles their events.
// TFrame1, Unit1, btn1..btn4 and DBGrid1 are the program's established design
// vocabulary; they stay so that design and code use the same words.
#pragma once

#include <QWidget>

#include <array>

namespace app {

class BevelPanel;
class DBGrid;
class FilterMenu;
class GlyphButton;

class TFrame1 : public QWidget {
    Q_OBJECT

public:
    explicit TFrame1(QWidget* parent);

    QWidget* Panel1;
    GlyphButton* btn1;  // "Lisa"
    GlyphButton* btn2;  // "Muuda"
    GlyphButton* btn3;  // "Kustuta"
    GlyphButton* btn4;  // "Trüki"
    BevelPanel* Panel2;
    DBGrid* DBGrid1;

    FilterMenu* MenuPaev;
    FilterMenu* MenuKuu;
    FilterMenu* MenuAasta;
    FilterMenu* MenuNimi;
    FilterMenu* MenuVanus;
    FilterMenu* MenuTyyp;
    // The menus by grid column, left to right.
    std::array<FilterMenu*, 6> columnMenus() const {
        return {MenuPaev, MenuKuu, MenuAasta, MenuNimi, MenuVanus, MenuTyyp};
    }
};

}  // namespace app
