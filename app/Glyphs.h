// The small pictures the program draws itself: the toolbar glyphs (a person
// with a plus, a pencil, a cross or a printer, on a white background) and the
// program icon (a yellow note sheet with a paper clip).
// REQUIRES: a QGuiApplication exists.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace app {

QPixmap glyphLisa();     // 25×25: person with a green plus
QPixmap glyphMuuda();    // 25×25: person with a pencil
QPixmap glyphKustuta();  // 25×25: person with a red cross
QPixmap glyphTryki();    // 26×26: person with a printer
QIcon mainIcon();        // 32×32 and 16×16 images

}  // namespace app
