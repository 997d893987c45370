// SPDX-License-Identifier: GPL-3.0-or-later
// The small pictures the program draws itself: the toolbar glyphs (a person
// with a plus, a pencil, a cross or a printer, on a white background) and the
// program icon (a yellow note sheet with a paper clip).
// REQUIRES: a QGuiApplication exists, except for paintMainIcon.
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace app {

QPixmap glyphLisa();     // 25×25: person with a green plus
QPixmap glyphMuuda();    // 25×25: person with a pencil
QPixmap glyphKustuta();  // 25×25: person with a red cross
QPixmap glyphTryki();    // 26×26: person with a printer
QIcon mainIcon();        // 32×32 and 16×16 images

// Paints the program icon into the square (0, 0, size, size) of `painter`:
// the 16-pixel drawing up to 16, the 32-pixel drawing scaled above. The
// installed icon files are made with it too.
void paintMainIcon(QPainter& painter, int size);

}  // namespace app
