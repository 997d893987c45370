// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DBGrid.h"

#include "app/Looks.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace app {

namespace {

// Draws a cell as the classic grid does: its colour, the text 2 pixels in
// from the edge and clipped, and a line under it (rows are lined, columns not).
class RowLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const bool selected = cell.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(cell.rect,
                          selected ? cell.palette.color(QPalette::Active, QPalette::Highlight) : cell.backgroundBrush);
        painter->setPen(selected ? cell.palette.color(QPalette::Active, QPalette::HighlightedText) : QColor(Qt::black));
        painter->setFont(cell.font);
        painter->setClipRect(cell.rect);
        painter->drawText(cell.rect.adjusted(2, 0, -2, -1), static_cast<int>(cell.displayAlignment), cell.text);
        painter->setPen(QColor(128, 128, 128));
        painter->drawLine(cell.rect.bottomLeft(), cell.rect.bottomRight());
        painter->restore();
    }
};

constexpr int kRowHeight = 17;

}  // namespace

DBGrid::DBGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setSortingEnabled(false);
    setShowGrid(false);
    setWordWrap(false);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(true);
    setItemDelegate(new RowLineDelegate(this));
    setFont(looks::uiFont());

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Fixed);
    titles->setSectionsMovable(false);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    titles->setFixedHeight(kRowHeight + 2);
    titles->setStyleSheet(QStringLiteral(
        "QHeaderView { background: rgb(0,128,192); }"
        "QHeaderView::section { background: rgb(0,128,192); color: white; padding: 0 2px;"
        " border: none; border-right: 1px solid rgb(0,96,150); border-bottom: 1px solid rgb(0,96,150); }"));
    connect(titles, &QHeaderView::sectionClicked, this, &DBGrid::titleClicked);
    // A header's mouse events go to its viewport, not to the header itself.
    titles->viewport()->installEventFilter(this);
    viewport()->installEventFilter(this);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, looks::kCellColour);
    colours.setColor(QPalette::Text, Qt::black);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, looks::kSelectionColour);
        colours.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(colours);
}

void DBGrid::bind(QAbstractItemModel* source) {
    if (model()) disconnect(model(), &QAbstractItemModel::modelReset, this, nullptr);
    setModel(source);
    if (!source) return;
    newView_ = true;
    connect(source, &QAbstractItemModel::modelReset, this, [this] { newView_ = true; });
    const QFontMetrics titleMetrics(looks::uiFont());
    const int widths[] = {31, 24, 33, 228, 34, titleMetrics.horizontalAdvance(QStringLiteral("Tüüp ")) + 4};
    for (int column = 0; column < 6 && column < source->columnCount(); ++column) setColumnWidth(column, widths[column]);
}

QModelIndex DBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    const int rows = model() ? model()->rowCount() : 0;
    if (rows == 0) return QTableView::moveCursor(action, modifiers);
    const int row = current.isValid() ? current.row() : 0;
    const int column = current.isValid() ? current.column() : 0;
    const int columns = model()->columnCount();
    switch (action) {
        case MoveLeft: return model()->index(std::max(row - 1, 0), column);
        case MoveRight: return model()->index(std::min(row + 1, rows - 1), column);
        case MoveHome: return model()->index(0, column);
        case MoveEnd: return model()->index(rows - 1, column);
        case MoveNext:
            if (column + 1 < columns) return model()->index(row, column + 1);
            return row + 1 < rows ? model()->index(row + 1, 0) : current;
        case MovePrevious:
            if (column > 0) return model()->index(row, column - 1);
            return row > 0 ? model()->index(row - 1, columns - 1) : current;
        default: return QTableView::moveCursor(action, modifiers);
    }
}

bool DBGrid::focusNextPrevChild(bool next) {
    // Tab stays inside the grid; nothing else of the window takes it.
    if (!tabKeyNavigation()) return QTableView::focusNextPrevChild(next);
    const QModelIndex target = moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier);
    if (target.isValid()) setCurrentIndex(target);
    return true;
}

void DBGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        emit deleteRequested();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit keyTyped(QChar(13));
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit gridDoubleClicked();
}

void DBGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (newView_ && model() && model()->rowCount() > 0) {
        newView_ = false;
        emit rowsPainted();
    }
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event) {
    // The title row is part of the grid: a double-click there opens the
    // record as one on a cell does (its first click still sorts).
    if (event->type() == QEvent::MouseButtonDblClick && watched == horizontalHeader()->viewport() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit gridDoubleClicked();
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const QPoint at = mouse->position().toPoint();
            int column = -1;
            if (watched == horizontalHeader()->viewport()) {
                column = horizontalHeader()->logicalIndexAt(at);
            } else if (watched == viewport() && rowAt(at.y()) >= 0) {
                column = columnAt(at.x());
            }
            if (column >= 0) emit columnMenuRequested(column, mouse->globalPosition().toPoint());
            return column >= 0;
        }
    }
    if (event->type() == QEvent::ContextMenu) return true;
    return QTableView::eventFilter(watched, event);
}

}  // namespace app
