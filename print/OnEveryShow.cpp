// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/OnEveryShow.h"

#include <QDialog>
#include <QEvent>

namespace print {
namespace {

class ShowHook : public QObject {
public:
    ShowHook(QDialog* dialog, const char* name, std::function<void()> action)
        : QObject(dialog), dialog_(dialog), action_(std::move(action)) {
        setObjectName(QLatin1String(name));
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialog_ && event->type() == QEvent::Show) action_();
        return false;
    }

private:
    QDialog* dialog_;
    std::function<void()> action_;
};

}  // namespace

void onEveryShow(QDialog* dialog, const char* name, std::function<void()> action) {
    if (dialog->findChild<QObject*>(QLatin1String(name), Qt::FindDirectChildrenOnly)) return;
    dialog->installEventFilter(new ShowHook(dialog, name, std::move(action)));
}

}  // namespace print
