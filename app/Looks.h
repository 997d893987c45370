// The program's colours and fonts, in one place.
#pragma once

#include <QColor>
#include <QFont>

namespace app::looks {

inline const QColor kFormColour(0, 128, 192);     // window, toolbar, titles
inline const QColor kCellColour(166, 202, 240);   // grid cells
inline const QColor kSelectionColour(0, 0, 128);  // the current row

// "MS Sans Serif", 11 pixels (8 points at 96 dpi).
QFont uiFont(bool bold = false);
// Arial at a pixel size.
QFont arialFont(int pixels, bool bold = false);

}  // namespace app::looks
