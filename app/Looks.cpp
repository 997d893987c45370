// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Looks.h"

#include <QPalette>
#include <QWidget>

namespace app::looks {

void fillBackground(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, kFormColour);
    widget->setPalette(colours);
}

// The classic faces first; where they are missing, their metric-compatible
// stand-ins, so that columns keep their widths.
QFont uiFont(bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QFont arialFont(int pixels, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace app::looks
