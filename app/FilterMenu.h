// SPDX-License-Identifier: GPL-3.0-or-later
// One column's popup menu of filter values: "Kõik", a separator, then one
// radio item per value; every item carries the menu's slot number as its Tag
// (QAction::data). "Kõik" starts checked and is the bold default item;
// the items are radio items of one exclusive group: choosing an item checks
// it and unchecks the one before.
//
// The items are made when the menu is first needed, so that a list of a
// hundred thousand names costs nothing until it is opened; the values
// themselves may come later too (setValuesLater). A long list of
// values shows as a scrolling list inside the menu, and its items are made
// only as they are chosen. A menu without values has no items at all.
#pragma once

#include "app/MenuValues.h"

#include <QMenu>
#include <QStringList>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QActionGroup;
class QListView;

namespace app {

class FilterMenu : public QMenu {
    Q_OBJECT

public:
    FilterMenu(int tag, QWidget* parent);

    // Lists longer than this scroll inside the menu.
    static constexpr int kLongList = 300;

    int tag() const { return tag_; }
    // Replaces the values; their items are made anew with "Kõik" checked.
    void setValues(const QStringList& values) { setValues(MenuValues(values)); }
    void setValues(MenuValues values);
    // The same with the values that `make` returns, called when they are
    // first needed: shown, read, or asked for by makePendingValues.
    void setValuesLater(std::function<MenuValues()> make);
    void makePendingValues();
    QStringList values();

    // Fills the menu if it is not filled yet.
    void ensureBuilt();
    // The item at menu position `position` (0 "Kõik", 1 the separator,
    // 2.. the values), made on demand; null outside the menu.
    QAction* item(int position);
    // The menu position of one of its items, or -1.
    int positionOf(const QAction* item) const;
    // The value an item stands for ("" for "Kõik").
    QString valueOf(const QAction* item) const;
    // Checks `item` and unchecks every other item of the menu.
    void check(QAction* item);
    // The position of the checked item (0 when not built yet).
    int checkedPosition() const;

signals:
    void chosen(QAction* item);

private:
    class RadioRowDelegate;

    QAction* makeItem(int position);
    void addValueList();
    void forgetItems();

    int tag_;
    MenuValues values_;
    std::function<MenuValues()> pending_;
    bool built_ = false;
    // By menu position; null until made. The menu owns them, not as their
    // parent, so that clearing the menu never deletes them twice.
    std::vector<std::unique_ptr<QAction>> items_;
    std::unordered_map<const QAction*, int> positions_;
    QAction* checked_ = nullptr;
    QListView* valueList_ = nullptr;
    QActionGroup* radioGroup_ = nullptr;  // every item made so far
};

}  // namespace app
