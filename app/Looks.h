// The program's colours and fonts, in one place.
#pragma once

#include <QColor>
#include <QFont>

namespace app::looks {

inline const QColor kFormColour(0, 128, 192);     // window, toolbar, titles
inline const QColor kCellColour(166, 202, 240);   // grid cells
inline const QColor kSelectionColour(0, 0, 128);  // the current row
// The classic desktop's 3-D edges, brightest first.
inline const QColor kEdgeHighlight(255, 255, 255);
inline const QColor kEdgeLight(192, 192, 192);
inline const QColor kEdgeShadow(128, 128, 128);
inline const QColor kEdgeDarkShadow(0, 0, 0);

// "MS Sans Serif", 11 pixels (8 points at 96 dpi).
QFont uiFont(bool bold = false);
// Arial at a pixel size.
QFont arialFont(int pixels, bool bold = false);

}  // namespace app::looks
