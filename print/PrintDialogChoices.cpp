// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintDialogChoices.h"

#include "print/OnEveryShow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPrintDialog>
#include <QRadioButton>

namespace print {
namespace {

// Qt's names for the page range controls, the current page and the selection.
constexpr const char* kIgnoredChoices[] = {
    "printRange", "from", "to", "label_3", "pagesRadioButton", "pagesLineEdit", "printCurrentPage", "printSelection"};

}  // namespace

void disableIgnoredChoices(QPrintDialog* dialog) {
    auto* range = dialog->findChild<QGroupBox*>(QStringLiteral("gbPrintRange"));
    if (!range) return;
    if (auto* all = range->findChild<QRadioButton*>(QStringLiteral("printAll"))) all->setChecked(true);
    for (const char* name : kIgnoredChoices)
        if (auto* control = range->findChild<QWidget*>(QLatin1String(name))) control->setEnabled(false);
}

void keepIgnoredChoicesDisabled(QPrintDialog* dialog) {
    dialog->setPrintRange(QAbstractPrintDialog::AllPages);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, true);
    onEveryShow(dialog, "wholeReportOnly", [dialog] { disableIgnoredChoices(dialog); });
    if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")))
        QObject::connect(printers, &QComboBox::currentIndexChanged, dialog,
                         [dialog] { disableIgnoredChoices(dialog); });
}

}  // namespace print
