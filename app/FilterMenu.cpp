// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FilterMenu.h"

#include "app/Looks.h"

#include <QAbstractListModel>
#include <QActionGroup>
#include <QListView>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QStyledItemDelegate>
#include <QWidgetAction>

namespace app {

namespace {

constexpr int kListRows = 24;

// Long menus scroll instead of spreading over many columns.
class ScrollingMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_Scrollable) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* scrollingMenuStyle() {
    static auto* style = new ScrollingMenuStyle;
    return style;
}

QString captionOf(QString value) { return value.replace(QLatin1Char('&'), QLatin1String("&&")); }

// The values for the scrolling list, read as its rows are drawn.
class ValueListModel : public QAbstractListModel {
public:
    ValueListModel(const MenuValues& values, QObject* parent) : QAbstractListModel(parent), values_(values) {}
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(values_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= values_.size()) return {};
        return values_.at(index.row());
    }

private:
    const MenuValues& values_;
};

}  // namespace

// Draws each row of the long list as the menu draws a radio item: the
// bullet on the checked value, the highlight on the active row (the one
// under the pointer, or reached with the arrow keys).
class FilterMenu::RadioRowDelegate : public QStyledItemDelegate {
public:
    RadioRowDelegate(FilterMenu* menu, QObject* parent) : QStyledItemDelegate(parent), menu_(menu) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QStyleOptionMenuItem item = menuItem(option, index);
        menu_->style()->drawControl(QStyle::CE_MenuItem, &item, painter, menu_);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QStyleOptionMenuItem item = menuItem(option, index);
        const QSize text = item.fontMetrics.size(Qt::TextShowMnemonic, item.text);
        return menu_->style()->sizeFromContents(QStyle::CT_MenuItem, &item, text, menu_);
    }

private:
    QStyleOptionMenuItem menuItem(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        QStyleOptionMenuItem item;
        item.initFrom(menu_);
        item.rect = option.rect;
        item.menuRect = option.widget ? option.widget->rect() : option.rect;
        item.state = QStyle::State_Enabled;
        const auto* list = qobject_cast<const QAbstractItemView*>(option.widget);
        if (list && list->currentIndex() == index) item.state |= QStyle::State_Selected;
        item.menuItemType = QStyleOptionMenuItem::Normal;
        item.checkType = QStyleOptionMenuItem::Exclusive;
        item.checked = menu_->checkedPosition() == index.row() + 2;
        item.text = captionOf(index.data().toString());
        item.font = menu_->font();
        item.fontMetrics = QFontMetrics(item.font);
        return item;
    }

    FilterMenu* menu_;
};

FilterMenu::FilterMenu(int tag, QWidget* parent) : QMenu(parent), tag_(tag) {
    setStyle(scrollingMenuStyle());
    setFont(looks::uiFont());
}

void FilterMenu::setValues(MenuValues values) {
    forgetItems();
    values_ = std::move(values);
    pending_ = nullptr;
}

void FilterMenu::forgetItems() {
    if (!built_) return;
    setDefaultAction(nullptr);
    clear();
    items_.clear();
    delete radioGroup_;
    radioGroup_ = nullptr;
    positions_.clear();
    checked_ = nullptr;
    valueList_ = nullptr;
    built_ = false;
}

void FilterMenu::setValuesLater(std::function<MenuValues()> make) {
    setValues(MenuValues());
    pending_ = std::move(make);
}

void FilterMenu::makePendingValues() {
    if (!pending_) return;
    const std::function<MenuValues()> make = std::move(pending_);
    pending_ = nullptr;
    values_ = make();
}

QStringList FilterMenu::values() {
    makePendingValues();
    return values_.toList();
}

QAction* FilterMenu::makeItem(int position) {
    auto owned = std::make_unique<QAction>();
    QAction* made = owned.get();
    made->setData(tag_);
    if (position == 1) {
        made->setSeparator(true);
    } else {
        made->setText(position == 0 ? QStringLiteral("Kõik") : captionOf(values_.at(position - 2)));
        made->setCheckable(true);
        radioGroup_->addAction(made);
        connect(made, &QAction::triggered, this, [this, made] { emit chosen(made); });
    }
    items_[static_cast<size_t>(position)] = std::move(owned);
    positions_[made] = position;
    return made;
}

void FilterMenu::ensureBuilt() {
    makePendingValues();
    if (built_ || values_.isEmpty()) return;
    built_ = true;
    // One exclusive group draws the items as radio items. The long list keeps
    // only the items made so far in it, so the group stays small.
    radioGroup_ = new QActionGroup(this);
    radioGroup_->setExclusive(true);
    const int count = static_cast<int>(values_.size()) + 2;
    items_.resize(static_cast<size_t>(count));
    checked_ = makeItem(0);
    checked_->setChecked(true);
    addAction(checked_);
    addAction(makeItem(1));
    setDefaultAction(checked_);
    if (values_.size() > kLongList) {
        addValueList();
    } else {
        for (int position = 2; position < count; ++position) addAction(makeItem(position));
    }
}

// The values as one scrolling list: a click or Enter chooses a value.
void FilterMenu::addValueList() {
    valueList_ = new QListView(this);
    valueList_->setModel(new ValueListModel(values_, valueList_));
    valueList_->setUniformItemSizes(true);
    valueList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    valueList_->setFont(font());
    valueList_->setFrameShape(QFrame::NoFrame);
    valueList_->setMouseTracking(true);
    valueList_->setItemDelegate(new RadioRowDelegate(this, valueList_));
    const int rowHeight = valueList_->sizeHintForRow(0);
    valueList_->setFixedSize(260, rowHeight * kListRows + 2);
    const auto choose = [this](const QModelIndex& index) {
        hide();
        if (QAction* chosenItem = item(index.row() + 2)) chosenItem->trigger();
    };
    connect(valueList_, &QListView::entered, valueList_, &QListView::setCurrentIndex);
    connect(valueList_, &QListView::clicked, this, choose);
    connect(valueList_, &QListView::activated, this, choose);
    auto* holder = new QWidgetAction(this);
    holder->setDefaultWidget(valueList_);
    addAction(holder);
}

QAction* FilterMenu::item(int position) {
    ensureBuilt();
    if (position < 0 || position >= static_cast<int>(items_.size())) return nullptr;
    QAction* found = items_[static_cast<size_t>(position)].get();
    return found ? found : makeItem(position);
}

int FilterMenu::positionOf(const QAction* item) const {
    const auto found = positions_.find(item);
    return found == positions_.end() ? -1 : found->second;
}

QString FilterMenu::valueOf(const QAction* item) const {
    const int position = positionOf(item);
    return position >= 2 ? values_.at(position - 2) : QString();
}

void FilterMenu::check(QAction* item) {
    if (checked_ && checked_ != item) checked_->setChecked(false);
    item->setChecked(true);
    checked_ = item;
    if (!valueList_) return;
    valueList_->viewport()->update();
    const int position = positionOf(item);
    if (position >= 2) {
        valueList_->setCurrentIndex(valueList_->model()->index(position - 2, 0));
    } else {
        valueList_->setCurrentIndex(QModelIndex());
        valueList_->clearSelection();
    }
}

int FilterMenu::checkedPosition() const { return checked_ ? positionOf(checked_) : 0; }

}  // namespace app
