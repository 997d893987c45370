// SPDX-License-Identifier: GPL-3.0-or-later
// The values of a filter menu, in menu order, kept as one block of UTF-8
// text: a menu of a million names takes a fraction of the memory that as
// many QStrings would.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

class MenuValues {
public:
    MenuValues() = default;
    explicit MenuValues(const QStringList& values) {
        for (const QString& value : values) append(value.toStdString());
    }

    void append(std::string_view utf8) {
        text_ += utf8;
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
    }
    qsizetype size() const { return static_cast<qsizetype>(ends_.size()); }
    bool isEmpty() const { return ends_.empty(); }
    // REQUIRES: 0 <= i < size().
    QString at(qsizetype i) const {
        const std::uint32_t begin = i == 0 ? 0 : ends_[static_cast<size_t>(i - 1)];
        return QString::fromUtf8(text_.data() + begin, static_cast<qsizetype>(ends_[static_cast<size_t>(i)] - begin));
    }
    QStringList toList() const {
        QStringList list;
        list.reserve(size());
        for (qsizetype i = 0; i < size(); ++i) list.push_back(at(i));
        return list;
    }

private:
    std::string text_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace app
