// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintDialogCaptions.h"
#include "tests/support/QtPrinters.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using print::Caption;

QWidget* control(QPrintDialog& dialog, const Caption& expected) {
    QObject* scope = &dialog;
    if (expected.group) scope = dialog.findChild<QGroupBox*>(QLatin1String(expected.group));
    return scope ? scope->findChild<QWidget*>(QLatin1String(expected.name)) : nullptr;
}

QString captionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return QStringLiteral("<no caption>");
}

QPushButton* standardButton(QPrintDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
}

// Shows the dialog modally and runs `whileShown` before it is dismissed.
void showAndReject(QPrintDialog& dialog, const std::function<void()>& whileShown) {
    QTimer::singleShot(0, &dialog, [&] {
        whileShown();
        dialog.reject();
    });
    dialog.exec();
}

// Compares every expected caption present in the dialog; reports how many were.
int compareCaptions(QPrintDialog& dialog) {
    int present = 0;
    for (const Caption& expected : print::kCaptions) {
        QWidget* widget = control(dialog, expected);
        if (!widget) continue;
        ++present;
        if (captionOf(widget) != QString::fromUtf8(expected.text)) {
            ADD_FAILURE() << (expected.group ? expected.group : "") << "/" << expected.name << " reads "
                          << captionOf(widget).toStdString();
            return -1;
        }
    }
    return present;
}

}  // namespace

TEST(PrintDialogCaptions, EveryShowingHasEstonianCaptions) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    print::installEstonianCaptions(&dialog);
    print::installEstonianCaptions(&dialog);

    for (int showing = 1; showing <= 2; ++showing) {
        int present = 0;
        QString ok, cancel;
        showAndReject(dialog, [&] {
            present = compareCaptions(dialog);
            ok = standardButton(dialog, QDialogButtonBox::Ok)->text();
            cancel = standardButton(dialog, QDialogButtonBox::Cancel)->text();
        });
        EXPECT_EQ(present, static_cast<int>(std::size(print::kCaptions)));
        EXPECT_EQ(ok, QStringLiteral("&OK"));
        EXPECT_EQ(cancel, QStringLiteral("&Loobu"));

        // As if Qt had rebuilt the texts before the next showing.
        standardButton(dialog, QDialogButtonBox::Ok)->setText(QStringLiteral("&Print"));
        control(dialog, print::kCaptions[1])->setProperty("text", QStringLiteral("&Name:"));
    }
}

TEST(PrintDialogCaptions, MissingControlsDoNotStopTheOthers) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    print::installEstonianCaptions(&dialog);
    delete control(dialog, {"printerGroup", "label_2", ""});
    delete control(dialog, {"gbPrintRange", "label_3", ""});

    int present = 0;
    QString cancel;
    showAndReject(dialog, [&] {
        present = compareCaptions(dialog);
        cancel = standardButton(dialog, QDialogButtonBox::Cancel)->text();
    });
    EXPECT_EQ(present, static_cast<int>(std::size(print::kCaptions)) - 2);
    EXPECT_EQ(cancel, QStringLiteral("&Loobu"));
}

TEST(PrintDialogCaptions, ToLabelMnemonicMovesToTheToField) {
    QPrinter printer;
    QPrintDialog dialog(&printer);
    print::PrintDialog1Show(&dialog);
    auto* range = dialog.findChild<QGroupBox*>(QStringLiteral("gbPrintRange"));
    ASSERT_TRUE(range);
    auto* toLabel = range->findChild<QLabel*>(QStringLiteral("label_3"));
    ASSERT_TRUE(toLabel);
    EXPECT_EQ(toLabel->text(), QStringLiteral("&kuni"));
    EXPECT_EQ(toLabel->buddy(), range->findChild<QWidget*>(QStringLiteral("to")));
}
