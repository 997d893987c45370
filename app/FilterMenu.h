// One column's popup menu of filter values: "Kõik", a separator, then one
// radio item per value; all items carry the menu's slot number as their Tag
// (QAction::data). "Kõik" starts checked and is the bold default item.
//
// The items are made when the menu is first needed (ensureBuilt), so that a
// list of a hundred thousand names costs nothing until it is opened. A menu
// without values has no items at all.
#pragma once

#include <QMenu>
#include <QStringList>

class QActionGroup;

namespace app {

class FilterMenu : public QMenu {
    Q_OBJECT

public:
    FilterMenu(int tag, QWidget* parent);

    int tag() const { return tag_; }
    // Replaces the values; their items are made anew with "Kõik" checked.
    void setValues(QStringList values);
    const QStringList& values() const { return values_; }

    // Makes the items if they are not there yet.
    void ensureBuilt();
    // The item at menu position `position` (0 "Kõik", 1 the separator,
    // 2.. the values), made on demand; null outside the menu.
    QAction* item(int position);
    // The item's menu position and its value ("" for "Kõik").
    static int positionOf(const QAction* item);
    static QString valueOf(const QAction* item);
    // The position of the checked item (0 when not built yet).
    int checkedPosition() const;

signals:
    void chosen(QAction* item);

private:
    QAction* addItem(const QString& value, int position);

    int tag_;
    QStringList values_;
    bool built_ = false;
    QActionGroup* group_ = nullptr;
};

}  // namespace app
