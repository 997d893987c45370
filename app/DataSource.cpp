// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataSource.h"

#include "app/Looks.h"
#include "store/ClientDataSet.h"

#include <QBrush>
#include <QColor>
#include <QFont>

namespace app {

namespace {

constexpr int kFieldOfColumn[kGridColumns] = {store::Paev, store::Kuu,   store::Aasta,
                                              store::Nimi, store::Vanus, store::Tyyp};
const char* const kTitles[kGridColumns] = {"Paev", "Kuu", "Aasta", "Nimi", "Vanus", "Tüüp "};

QString twoDigits(const std::optional<std::int16_t>& value) {
    if (!value) return {};
    return *value >= 0 ? QStringLiteral("%1").arg(*value, 2, 10, QLatin1Char('0')) : QString::number(*value);
}

}  // namespace

DataSource::DataSource(store::ClientDataSet& data, QObject* parent) : QAbstractTableModel(parent), data_(data) {
    data_.onViewReset = [this] { viewReset(); };
    data_.onCurrentChanged = [this] { cursorMoved(); };
}

int DataSource::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !data_.active() || resetPending_ ? 0 : data_.recordCount();
}

int DataSource::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kGridColumns; }

QVariant DataSource::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole: {
            const store::EventRow& row = data_.viewRow(index.row());
            if (column == ColPaev) return twoDigits(row.paev);
            if (column == ColKuu) return twoDigits(row.kuu);
            return QString::fromStdString(data_.rowText(row, kFieldOfColumn[column]));
        }
        case Qt::TextAlignmentRole:
            if (column == ColNimi) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            if (column == ColVanus || column == ColTyyp) return QVariant(Qt::AlignHCenter | Qt::AlignVCenter);
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole: return QBrush(looks::kCellColour);
        case Qt::ForegroundRole: return QBrush(Qt::black);
        default: return {};
    }
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kGridColumns) return {};
    switch (role) {
        case Qt::DisplayRole: return QString::fromUtf8(kTitles[section]);
        case Qt::TextAlignmentRole:
            return QVariant((section == ColNimi || section == ColVanus ? Qt::AlignLeft : Qt::AlignRight) |
                            Qt::AlignVCenter);
        case Qt::FontRole: {
            QFont font = looks::uiFont();
            font.setUnderline(titleUnderlined && titleUnderlined(section));
            return font;
        }
        default: return {};
    }
}

void DataSource::titlesChanged() { emit headerDataChanged(Qt::Horizontal, 0, kGridColumns - 1); }

int DataSource::currentRow() const { return data_.active() ? data_.recNo() - 1 : -1; }

void DataSource::setCurrentRow(int row) {
    if (followingGrid_ || !data_.active() || row < 0) return;
    followingGrid_ = true;
    data_.setRecNo(row + 1);
    followingGrid_ = false;
}

void DataSource::viewReset() {
    if (frozen_ > 0) {
        if (!resetPending_) {
            beginResetModel();
            resetPending_ = true;
            endResetModel();
        }
        return;
    }
    beginResetModel();
    resetPending_ = false;
    endResetModel();
    emit currentRowChanged(currentRow());
}

void DataSource::cursorMoved() {
    if (followingGrid_) return;
    if (frozen_ > 0) {
        movePending_ = true;
        return;
    }
    emit currentRowChanged(currentRow());
}

DataSource::Freeze::Freeze(DataSource& source) : source_(source) { ++source_.frozen_; }

DataSource::Freeze::~Freeze() {
    if (--source_.frozen_ > 0) return;
    if (source_.resetPending_) {
        source_.movePending_ = false;
        source_.viewReset();
    } else if (source_.movePending_) {
        source_.movePending_ = false;
        source_.cursorMoved();
    }
}

}  // namespace app
