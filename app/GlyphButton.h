// SPDX-License-Identifier: GPL-3.0-or-later
// A toolbar button in the classic look: a raised face, a glyph 6 pixels from
// the left edge, the caption 4 pixels after it in bold white. It never takes
// the keyboard focus, shows its caption as a hint and a hand pointer.
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace app {

class GlyphButton : public QPushButton {
    Q_OBJECT

public:
    GlyphButton(const QString& caption, QWidget* parent);

    void setGlyph(const QPixmap& glyph);
    const QPixmap& glyph() const { return glyph_; }
    // A number the handlers tell buttons apart by.
    int Tag = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap glyph_;
};

}  // namespace app
