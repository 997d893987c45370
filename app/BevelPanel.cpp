// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BevelPanel.h"

#include "app/Looks.h"

#include <QPainter>

namespace app {

namespace {

// One ring of an edge: its top and left side in one colour, its bottom and
// right side (the corners where the two meet included) in the other.
void drawRing(QPainter& painter, const QRect& ring, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(ring.left(), ring.top(), ring.right() - 1, ring.top());
    painter.drawLine(ring.left(), ring.top(), ring.left(), ring.bottom() - 1);
    painter.setPen(bottomRight);
    painter.drawLine(ring.left(), ring.bottom(), ring.right(), ring.bottom());
    painter.drawLine(ring.right(), ring.top(), ring.right(), ring.bottom());
}

}  // namespace

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent) {}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), looks::kFormColour);
    drawRing(painter, rect(), looks::kEdgeShadow, looks::kEdgeHighlight);
    drawRing(painter, rect().adjusted(1, 1, -1, -1), looks::kEdgeDarkShadow, looks::kEdgeLight);
    drawRing(painter, rect().adjusted(2, 2, -2, -2), looks::kEdgeHighlight, looks::kEdgeShadow);
}

}  // namespace app
