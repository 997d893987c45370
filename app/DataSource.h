// SPDX-License-Identifier: GPL-3.0-or-later
// The grid's model: reads the store's current view directly, row by row,
// without copying it. Follows the store: a changed view resets the model, a
// moved cursor moves the grid's current row, and a row chosen in the grid
// moves the store's cursor.
#pragma once

#include "store/ListColumns.h"

#include <QAbstractTableModel>

#include <functional>

namespace store {
class ClientDataSet;
}

namespace app {

// The grid's columns, left to right: the list's columns.
using GridColumn = store::ListColumn;
using enum store::ListColumn;
inline constexpr int kGridColumns = store::kListColumns;

class DataSource : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DataSource(store::ClientDataSet& data, QObject* parent = nullptr);

    // Whether a column's title is drawn underlined (a filter is in force).
    std::function<bool(int column)> titleUnderlined;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // While a Freeze lives, walking the store does not touch the grid; the
    // grid catches up when the last one ends.
    class Freeze {
    public:
        explicit Freeze(DataSource& source);
        ~Freeze();
        Freeze(const Freeze&) = delete;
        Freeze& operator=(const Freeze&) = delete;

    private:
        DataSource& source_;
    };

    // The grid's row to show as current (0-based), or -1.
    int currentRow() const;
    void titlesChanged();

signals:
    // The store's cursor moved: the grid should show `row` as current.
    void currentRowChanged(int row);

public slots:
    // The user chose `row` in the grid.
    void setCurrentRow(int row);

private:
    void viewReset();
    void cursorMoved();

    store::ClientDataSet& data_;
    int frozen_ = 0;
    bool resetPending_ = false;
    bool movePending_ = false;
    bool followingGrid_ = false;
};

}  // namespace app
