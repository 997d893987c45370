// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Unit1.h"

#include "app/BevelPanel.h"
#include "app/DBGrid.h"
#include "app/FilterMenu.h"
#include "app/GlyphButton.h"
#include "app/Glyphs.h"
#include "app/Looks.h"

#include <QFontMetrics>
#include <QHeaderView>

namespace app {

namespace {

GlyphButton* toolbarButton(QWidget* toolbar, const QString& caption, int left, const QPixmap& glyph) {
    auto* button = new GlyphButton(caption, toolbar);
    button->setGeometry(left, -2, 102, 33);
    button->setGlyph(glyph);
    return button;
}

QStringList fixedValues(int tag) {
    QStringList values;
    if (tag == 1) {
        for (int day = 1; day <= 31; ++day) values << QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
    } else if (tag == 2) {
        values = {"Jaanuar", "Veebruar", "Märts",     "Aprill",   "Mai",      "Juuni",
                  "Juuli",   "August",   "September", "Oktoober", "November", "Detsember"};
    } else {
        values = {"Sünnipäevad", "Tähtpäevad", "Nimepäevad", "Muud"};
    }
    return values;
}

}  // namespace

TFrame1::TFrame1(QWidget* parent) : QWidget(parent) {
    setGeometry(QRect(QPoint(), looks::kFormSize));
    looks::fillBackground(this);

    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, looks::kFormSize.width(), 30);
    looks::fillBackground(Panel1);
    btn1 = toolbarButton(Panel1, QStringLiteral("Lisa"), -1, glyphLisa());
    btn2 = toolbarButton(Panel1, QStringLiteral("Muuda"), 100, glyphMuuda());
    btn3 = toolbarButton(Panel1, QStringLiteral("Kustuta"), 201, glyphKustuta());
    btn4 = toolbarButton(Panel1, QStringLiteral("Trüki"), 302, glyphTryki());

    Panel2 = new BevelPanel(this);
    Panel2->setGeometry(0, 30, looks::kFormSize.width(), looks::kFormSize.height() - 30);

    DBGrid1 = new DBGrid(Panel2);
    const int border = BevelPanel::kBorderWidth;
    DBGrid1->setGeometry(Panel2->rect().adjusted(border, border, -border, -border));

    MenuPaev = new FilterMenu(1, this);
    MenuKuu = new FilterMenu(2, this);
    MenuAasta = new FilterMenu(3, this);
    MenuNimi = new FilterMenu(4, this);
    MenuVanus = new FilterMenu(5, this);
    MenuTyyp = new FilterMenu(6, this);
    for (FilterMenu* fixed : {MenuPaev, MenuKuu, MenuTyyp}) {
        fixed->setValues(fixedValues(fixed->tag()));
        fixed->ensureBuilt();
    }
}

}  // namespace app
