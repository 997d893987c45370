// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppMessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace app {

namespace {

constexpr int kNotch = 120;

void pressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

}  // namespace

bool AppMessage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    QWidget* focused = QApplication::focusWidget();
    const int distance = wheel->angleDelta().y();
    if (distance == 0 || !focused || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return QObject::eventFilter(watched, event);

    if ((pending_ > 0) != (distance > 0)) pending_ = 0;
    pending_ += distance;
    while (pending_ >= kNotch || pending_ <= -kNotch) {
        pressKey(focused, pending_ > 0 ? Qt::Key_Up : Qt::Key_Down);
        pending_ -= pending_ > 0 ? kNotch : -kNotch;
    }
    return true;
}

}  // namespace app
