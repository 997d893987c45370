// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/EstonianQtTexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace print {

bool installEstonianQtTexts() {
    static const QString kName = QStringLiteral("estonianQtTexts");
    QCoreApplication* application = QCoreApplication::instance();
    if (application->findChild<QTranslator*>(kName, Qt::FindDirectChildrenOnly)) return true;
    auto* translator = new QTranslator(application);
    translator->setObjectName(kName);
    if (!translator->load(QStringLiteral(":/translations/zerizedozi_et.qm")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace print
