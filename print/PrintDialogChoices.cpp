#include "print/PrintDialogChoices.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPrintDialog>
#include <QRadioButton>

namespace print {
namespace {

// Qt's names for the page range controls, the current page and the selection.
constexpr const char* kIgnoredChoices[] = {"printRange",     "from",           "to",          "label_3",
                                           "pagesRadioButton", "pagesLineEdit", "printCurrentPage",
                                           "printSelection"};

class ChoicesOnShow : public QObject {
public:
    explicit ChoicesOnShow(QPrintDialog* dialog) : QObject(dialog), dialog_(dialog) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialog_ && event->type() == QEvent::Show) disableIgnoredChoices(dialog_);
        return false;
    }

private:
    QPrintDialog* dialog_;
};

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
    dialog->installEventFilter(new ChoicesOnShow(dialog));
    if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")))
        QObject::connect(printers, &QComboBox::currentIndexChanged, dialog, [dialog] { disableIgnoredChoices(dialog); });
}

}  // namespace print
