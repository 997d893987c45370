// SPDX-License-Identifier: GPL-3.0-or-later
// The list view's grid: whole rows, no editing, the classic keys.
// Up/Left and Down/Right move one row, Page Up/Down a screen, Home/End to the
// first or last row; Tab and Shift+Tab move the column and wrap to the next
// or previous row. It reports what the window acts on: a title click, a
// double-click (on a cell, on a title or below the rows), a typed character,
// Ctrl+Delete and a right-button release over a column (its title or a cell,
// never outside them). It also tells when
// it has painted the rows of a new view (after binding or a model reset).
#pragma once

#include <QTableView>

namespace app {

class DBGrid : public QTableView {
    Q_OBJECT

public:
    explicit DBGrid(QWidget* parent);

    // Shows `model` (null: nothing) with the list's column widths.
    void bind(QAbstractItemModel* model);

signals:
    void titleClicked(int column);
    // A left double-click on the rows' area, on a cell or not
    // (QAbstractItemView::doubleClicked tells only those on a cell).
    void gridDoubleClicked();
    void keyTyped(QChar key);
    void deleteRequested();
    void columnMenuRequested(int column, const QPoint& globalPos);
    // The first paint showing rows since the model was bound or reset.
    void rowsPainted();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool newView_ = false;
};

}  // namespace app
