// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GlyphButton.h"

#include "app/Looks.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace app {

namespace {

QStyle* classicStyle() {
    static QStyle* style = [] {
        QStyle* windows = QStyleFactory::create(QStringLiteral("Windows"));
        return windows ? windows : QStyleFactory::create(QStringLiteral("Fusion"));
    }();
    return style;
}

constexpr int kGlyphLeft = 6;
constexpr int kGlyphToCaption = 4;

}  // namespace

GlyphButton::GlyphButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    if (QStyle* style = classicStyle()) setStyle(style);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(caption);
    setFont(looks::uiFont(true));
    QPalette colours = palette();
    colours.setColor(QPalette::Button, looks::kFormColour);
    colours.setColor(QPalette::ButtonText, Qt::white);
    setPalette(colours);
}

void GlyphButton::setGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void GlyphButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const int shift = isDown() ? 1 : 0;
    int x = kGlyphLeft + shift;
    if (!glyph_.isNull()) {
        painter.drawPixmap(x, (height() - glyph_.height()) / 2 + shift, glyph_);
        x += glyph_.width() + kGlyphToCaption;
    }
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(QRect(x, shift, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

}  // namespace app
