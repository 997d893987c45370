// SPDX-License-Identifier: GPL-3.0-or-later
// A panel in the classic look of the grid's panel: a sunken 3-D border of
// 2 pixels with a raised bevel of 1 pixel inside it, 3 pixels on each side
// in all, in the desktop's classic edge colours; the inside is filled with
// the form colour.
#pragma once

#include <QWidget>

namespace app {

class BevelPanel : public QWidget {
    Q_OBJECT

public:
    explicit BevelPanel(QWidget* parent);

    static constexpr int kBorderWidth = 3;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace app
