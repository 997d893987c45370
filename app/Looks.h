// SPDX-License-Identifier: GPL-3.0-or-later
// The program's colours, fonts and window size, in one place.
#pragma once

#include <QColor>
#include <QFont>
#include <QSize>

class QWidget;

namespace app::looks {

inline const QColor kFormColour(0, 128, 192);     // window, toolbar, titles
inline const QColor kCellColour(166, 202, 240);   // grid cells
inline const QColor kSelectionColour(0, 0, 128);  // the current row
// The classic desktop's 3-D edges, brightest first.
inline const QColor kEdgeHighlight(255, 255, 255);
inline const QColor kEdgeLight(192, 192, 192);
inline const QColor kEdgeShadow(128, 128, 128);
inline const QColor kEdgeDarkShadow(0, 0, 0);

// The window's inside, which each of its two views fills.
inline constexpr QSize kFormSize(404, 289);

// Paints `widget`'s background in the form colour.
void fillBackground(QWidget* widget);

// "MS Sans Serif", 11 pixels (8 points at 96 dpi).
QFont uiFont(bool bold = false);
// Arial at a pixel size.
QFont arialFont(int pixels, bool bold = false);

}  // namespace app::looks
