#include "app/FilterMenu.h"

#include <QActionGroup>
#include <QProxyStyle>

#include "app/Looks.h"

namespace app {

namespace {

const char* const kPosition = "position";
const char* const kValue = "value";

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

}  // namespace

FilterMenu::FilterMenu(int tag, QWidget* parent) : QMenu(parent), tag_(tag) {
    setStyle(scrollingMenuStyle());
    setFont(looks::uiFont());
}

void FilterMenu::setValues(QStringList values) {
    values_ = std::move(values);
    if (built_) {
        clear();
        delete group_;
        group_ = nullptr;
        built_ = false;
    }
}

void FilterMenu::ensureBuilt() {
    if (built_ || values_.isEmpty()) return;
    built_ = true;
    group_ = new QActionGroup(this);
    group_->setExclusive(true);
    QAction* all = addItem(QStringLiteral("Kõik"), 0);
    all->setChecked(true);
    setDefaultAction(all);
    QAction* separator = addSeparator();
    separator->setData(tag_);
    separator->setProperty(kPosition, 1);
    for (int i = 0; i < values_.size(); ++i) addItem(values_[i], i + 2);
}

QAction* FilterMenu::addItem(const QString& value, int position) {
    QString caption = value;
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    QAction* item = addAction(caption);
    item->setCheckable(true);
    item->setData(tag_);
    item->setProperty(kPosition, position);
    item->setProperty(kValue, position == 0 ? QString() : value);
    group_->addAction(item);
    connect(item, &QAction::triggered, this, [this, item] { emit chosen(item); });
    return item;
}

QAction* FilterMenu::item(int position) {
    ensureBuilt();
    const QList<QAction*> items = actions();
    return position >= 0 && position < items.size() ? items[position] : nullptr;
}

int FilterMenu::positionOf(const QAction* item) { return item->property(kPosition).toInt(); }

QString FilterMenu::valueOf(const QAction* item) { return item->property(kValue).toString(); }

int FilterMenu::checkedPosition() const {
    const QAction* checked = group_ ? group_->checkedAction() : nullptr;
    return checked ? positionOf(checked) : 0;
}

}  // namespace app
