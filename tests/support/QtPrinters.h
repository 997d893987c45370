// SPDX-License-Identifier: GPL-3.0-or-later
// Lets GoogleTest show Qt's strings as text in its failure messages.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i) *out << ", ";
        PrintTo(texts[i], out);
    }
    *out << '}';
}
