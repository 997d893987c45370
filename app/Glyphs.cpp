// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace app {
namespace {

using Drawing = std::function<void(QPainter&)>;

QPixmap drawn(int size, const QColor& background, const Drawing& draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(background);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

QPixmap glyph(int size, const Drawing& draw) { return drawn(size, Qt::white, draw); }

// Head and shoulders, filling `box` (about 3 wide to 4 high).
void drawPerson(QPainter& p, const QRectF& box) {
    const QColor outline(52, 74, 110);
    const qreal w = box.width();
    const qreal h = box.height();

    QPainterPath body;
    const QRectF shoulders(box.left(), box.top() + h * 0.52, w, h * 0.8);
    body.addRoundedRect(shoulders, w * 0.42, h * 0.34);
    QLinearGradient bodyFill(shoulders.topLeft(), shoulders.bottomRight());
    bodyFill.setColorAt(0, QColor(150, 178, 214));
    bodyFill.setColorAt(1, QColor(84, 112, 156));
    p.save();
    p.setClipRect(QRectF(box.left() - 1, box.top(), w + 2, h));
    p.setPen(QPen(outline, 1));
    p.setBrush(bodyFill);
    p.drawPath(body);
    p.restore();

    const qreal headSize = w * 0.6;
    const QRectF head(box.center().x() - headSize / 2, box.top(), headSize, headSize);
    QRadialGradient headFill(head.center() - QPointF(headSize * 0.2, headSize * 0.2), headSize * 0.7);
    headFill.setColorAt(0, QColor(196, 212, 232));
    headFill.setColorAt(1, QColor(110, 138, 178));
    p.setPen(QPen(outline, 1));
    p.setBrush(headFill);
    p.drawEllipse(head);
}

void drawStandardPerson(QPainter& p) { drawPerson(p, QRectF(2.5, 1.5, 15, 21.5)); }

// A green plus with a white rim that parts it from the person behind.
void drawPlus(QPainter& p, const QPointF& center, qreal arm, qreal thickness) {
    QPainterPath plus;
    plus.addRect(QRectF(center.x() - arm, center.y() - thickness / 2, 2 * arm, thickness));
    plus.addRect(QRectF(center.x() - thickness / 2, center.y() - arm, thickness, 2 * arm));
    plus.setFillRule(Qt::WindingFill);
    plus = plus.simplified();
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(plus);
    p.setPen(QPen(QColor(24, 110, 36), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(58, 176, 64));
    p.drawPath(plus);
}

// A red cross over `box`, with a white rim.
void drawCross(QPainter& p, const QRectF& box) {
    const QLineF a(box.topLeft(), box.bottomRight());
    const QLineF b(box.topRight(), box.bottomLeft());
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 6.0}, std::pair{QColor(150, 16, 16), 4.4},
                                       std::pair{QColor(222, 36, 30), 2.8}}) {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a);
        p.drawLine(b);
    }
}

// A pencil lying from `tip` (lower left) towards the upper right.
void drawPencil(QPainter& p, const QPointF& tip, qreal length) {
    p.save();
    p.translate(tip);
    p.rotate(-45);
    const qreal half = 2.4;
    const qreal point = 5;
    QPainterPath outline;
    outline.moveTo(0, 0);
    outline.lineTo(point, -half);
    outline.lineTo(length, -half);
    outline.lineTo(length, half);
    outline.lineTo(point, half);
    outline.closeSubpath();
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(outline);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 190, 40));
    p.drawRect(QRectF(point, -half, length - point - 3, 2 * half));
    p.setBrush(QColor(226, 132, 20));
    p.drawRect(QRectF(point, half * 0.2, length - point - 3, half * 0.8));
    p.setBrush(QColor(236, 130, 150));
    p.drawRect(QRectF(length - 3, -half, 3, 2 * half));
    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(point, -half);
    wood.lineTo(point, half);
    wood.closeSubpath();
    p.setBrush(QColor(240, 208, 160));
    p.drawPath(wood);
    QPainterPath lead;
    lead.moveTo(0, 0);
    lead.lineTo(point * 0.4, -half * 0.4);
    lead.lineTo(point * 0.4, half * 0.4);
    lead.closeSubpath();
    p.setBrush(QColor(50, 50, 50));
    p.drawPath(lead);

    p.setPen(QPen(QColor(120, 70, 10), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.restore();
}

// A printer whose top left corner is at `at`, 15 wide and 14 high.
void drawPrinter(QPainter& p, const QPointF& at) {
    p.save();
    p.translate(at);
    const QColor outline(60, 60, 66);
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 0.5, 8, 6));
    QLinearGradient bodyFill(0, 5, 0, 12);
    bodyFill.setColorAt(0, QColor(222, 222, 228));
    bodyFill.setColorAt(1, QColor(140, 140, 150));
    p.setBrush(bodyFill);
    p.drawRoundedRect(QRectF(0.5, 5.5, 14, 6), 1.2, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 9.5, 8, 4));
    p.setPen(QPen(QColor(150, 150, 156), 1));
    p.drawLine(QLineF(5, 11.5, 10, 11.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 180, 60));
    p.drawRect(QRectF(11, 7, 2, 1));
    p.restore();
}

const QColor noteYellow(255, 255, 0);
const QColor noteOlive(128, 128, 0);
const QColor clipGrey(128, 128, 128);
const QColor clipSilver(192, 192, 192);

// A sheet with a folded lower right corner; `fold` is the fold's size.
void drawSheet(QPainter& p, const QRectF& sheet, qreal fold) {
    QPainterPath outline;
    outline.moveTo(sheet.topLeft());
    outline.lineTo(sheet.topRight());
    outline.lineTo(sheet.right(), sheet.bottom() - fold);
    outline.lineTo(sheet.right() - fold, sheet.bottom());
    outline.lineTo(sheet.bottomLeft());
    outline.closeSubpath();
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(noteYellow);
    p.drawPath(outline);
    QPainterPath corner;
    corner.moveTo(sheet.right(), sheet.bottom() - fold);
    corner.lineTo(sheet.right() - fold, sheet.bottom() - fold);
    corner.lineTo(sheet.right() - fold, sheet.bottom());
    p.setBrush(noteOlive);
    p.drawPath(corner);
}

// The note sheet with lines of writing and a paper clip over its top edge.
void drawNote32(QPainter& p) {
    drawSheet(p, QRectF(5.5, 5.5, 21, 24), 5);
    p.setPen(QPen(noteOlive, 1));
    for (int y = 12; y <= 24; y += 3) p.drawLine(QLineF(9, y + 0.5, y < 24 ? 23 : 19, y + 0.5));

    QPainterPath clip;
    clip.moveTo(14, 11);
    clip.lineTo(14, 4);
    clip.arcTo(QRectF(14, 2, 4, 4), 180, -180);
    clip.lineTo(18, 13);
    clip.arcTo(QRectF(11, 10, 7, 6), 0, -180);
    clip.lineTo(11, 5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(clipGrey, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(clip);
    p.setPen(QPen(clipSilver, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(clip);
}

// At this size the clip is set pixel by pixel, as a smoothed one blurs away.
void drawNote16(QPainter& p) {
    drawSheet(p, QRectF(2.5, 2.5, 11, 13), 3);
    p.setPen(QPen(noteOlive, 1));
    for (int y = 7; y <= 11; y += 2) p.drawLine(QLineF(5, y + 0.5, 11, y + 0.5));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(clipGrey);
    p.drawLine(6, 1, 6, 5);
    p.drawLine(7, 0, 8, 0);
    p.drawLine(9, 1, 9, 4);
    p.drawPoint(7, 5);
}

}  // namespace

QPixmap glyphLisa() {
    return glyph(25, [](QPainter& p) {
        drawStandardPerson(p);
        drawPlus(p, QPointF(18.5, 18.5), 5, 4);
    });
}

QPixmap glyphMuuda() {
    return glyph(25, [](QPainter& p) {
        drawStandardPerson(p);
        drawPencil(p, QPointF(11, 23), 16);
    });
}

QPixmap glyphKustuta() {
    return glyph(25, [](QPainter& p) {
        drawStandardPerson(p);
        drawCross(p, QRectF(14.5, 14.5, 8, 8));
    });
}

QPixmap glyphTryki() {
    return glyph(26, [](QPainter& p) {
        drawPerson(p, QRectF(1.5, 1.5, 12, 17.5));
        drawPrinter(p, QPointF(10, 11));
    });
}

QIcon mainIcon() {
    QIcon icon;
    for (const int size : {32, 16})
        icon.addPixmap(drawn(size, Qt::transparent, [size](QPainter& p) { paintMainIcon(p, size); }));
    return icon;
}

void paintMainIcon(QPainter& painter, int size) {
    painter.save();
    if (size <= 16) {
        painter.scale(size / 16.0, size / 16.0);
        drawNote16(painter);
    } else {
        painter.scale(size / 32.0, size / 32.0);
        drawNote32(painter);
    }
    painter.restore();
}

}  // namespace app
