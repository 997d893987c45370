// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide mouse-wheel hook: every notch of the wheel becomes one
// press of the Up (wheel turned away from the user) or Down arrow key on the
// focused control. Fine-grained wheels are added up to whole notches. Modal
// boxes and dialogs keep the wheel's own meaning.
#pragma once

#include <QObject>

namespace app {

class AppMessage : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int pending_ = 0;  // wheel distance not yet turned into a key
};

}  // namespace app
