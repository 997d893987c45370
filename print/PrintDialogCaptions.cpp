// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintDialogCaptions.h"

#include "print/OnEveryShow.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPushButton>

namespace print {
namespace {

void setCaption(QWidget* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    }
}

QObject* scopeOf(QPrintDialog* dialog, const Caption& caption) {
    if (!caption.group) return dialog;
    return dialog->findChild<QGroupBox*>(QLatin1String(caption.group));
}

void setBuddy(QObject* scope, const Caption& caption, QWidget* control) {
    auto* label = qobject_cast<QLabel*>(control);
    if (!caption.buddy || !label || label->buddy()) return;
    if (auto* buddy = scope->findChild<QWidget*>(QLatin1String(caption.buddy))) label->setBuddy(buddy);
}

void setButtonCaption(QDialogButtonBox* box, QDialogButtonBox::StandardButton which, const QString& text) {
    if (QPushButton* button = box->button(which)) button->setText(text);
}

}  // namespace

void PrintDialog1Show(QPrintDialog* dialog) {
    for (const Caption& caption : kCaptions) {
        QObject* scope = scopeOf(dialog, caption);
        QWidget* control = scope ? scope->findChild<QWidget*>(QLatin1String(caption.name)) : nullptr;
        if (!control) continue;
        setCaption(control, QString::fromUtf8(caption.text));
        setBuddy(scope, caption, control);
    }
    if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
        setButtonCaption(box, QDialogButtonBox::Ok, QStringLiteral("&OK"));
        setButtonCaption(box, QDialogButtonBox::Cancel, QStringLiteral("&Loobu"));
    }
}

void installEstonianCaptions(QPrintDialog* dialog) {
    onEveryShow(dialog, "estonianCaptions", [dialog] { PrintDialog1Show(dialog); });
}

QString noPrinterMessage() { return QStringLiteral("There is no default printer currently selected."); }

}  // namespace print
