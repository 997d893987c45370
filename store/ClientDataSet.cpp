// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ClientDataSet.h"

#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "store/IndexOrder.h"
#include "store/IntegerText.h"
#include "store/TextEncoding.h"
#include "store/TextOrder.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace store {

namespace {

std::vector<int> parseFieldList(const std::string& list) {
    std::vector<int> fields;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        const std::string_view name = std::string_view(list).substr(start, end - start);
        const int position = fieldPosition(name);
        if (position < 0 || position == Vanus) throw StoreError("Field '" + std::string(name) + "' not found");
        fields.push_back(position);
        start = end + 1;
    }
    return fields;
}

const TextOrder& namesOr(const TextOrder* order) {
    static const ByteTextOrder bytes;
    return order ? *order : bytes;
}

// The file's rows, and the stamp it had all through their reading: nullopt
// when it has none, or changed meanwhile.
std::pair<std::vector<EventRow>, std::optional<FileStamp>> readStamped(FileSystem& files, const std::string& path) {
    if (files.othersMayReplace(path)) throw StoreError::openToOthers(path);
    std::optional<FileStamp> stamp = files.stamp(path);
    std::vector<EventRow> rows = readDataPacket(*files.openToRead(path));
    if (files.stamp(path) != stamp) stamp.reset();
    return {std::move(rows), stamp};
}

std::string cutToWidth(std::string_view text, size_t width) { return std::string(utf8Prefix(text, width)); }

// More rows than a screen shows at once: a sorted view puts these in order
// at once and the rest when needed.
constexpr size_t kRowsOrderedFirst = 256;

}  // namespace

ClientDataSet::ClientDataSet(FileSystem& files, const TextOrder* nameOrder) : files_(files), nameOrder_(nameOrder) {}

ClientDataSet::~ClientDataSet() = default;

void ClientDataSet::requireActive() const {
    if (!active()) throw StoreError("Cannot perform this operation on a closed dataset");
}

// --- lifecycle ---------------------------------------------------------------

void ClientDataSet::open() {
    if (active()) return;
    auto indexOrder =
        std::make_unique<IndexOrder>(parseFieldList(indexDef_.fields), indexDef_.descending, namesOr(nameOrder_));
    std::optional<ReadRows> kept = std::exchange(kept_, std::nullopt);
    if (kept && (kept->path != fileName_ || files_.stamp(fileName_) != kept->stamp)) kept.reset();
    std::optional<FileStamp> stamp;
    std::vector<EventRow> rows;
    lastFront_.reset();
    if (kept) {
        stamp = kept->stamp;
        rows = std::move(kept->rows);
        if (kept->front && kept->index.fields == indexDef_.fields && kept->index.descending == indexDef_.descending)
            lastFront_ = Front{std::vector<bool>(rows.size(), true), std::move(kept->front)};
    } else if (!fileName_.empty()) {
        std::tie(rows, stamp) = readStamped(files_, fileName_);
    }

    rows_ = std::move(rows);
    rowsStamp_ = stamp;
    sorted_ = false;
    order_.clear();
    indexOrder_ = std::move(indexOrder);
    changed_ = false;
    editedRow_.reset();
    state_ = DataSetState::Browse;
    rebuildView();
}

void ClientDataSet::close() {
    if (!active()) return;
    cancel();
    notifyRowsChanging();
    if (changed_ && !fileName_.empty()) {
        files_.replace(fileName_, writeDataPacket(rows_));
        rowsStamp_ = files_.stamp(fileName_);
    }
    state_ = DataSetState::Inactive;
    if (rowsStamp_ && !fileName_.empty()) kept_ = ReadRows{fileName_, *rowsStamp_, std::move(rows_), {}, {}};
    rows_.clear();
    rows_.shrink_to_fit();
    rowsStamp_.reset();
    order_.clear();
    order_.shrink_to_fit();
    sorted_ = false;
    view_.clear();
    view_.shrink_to_fit();
    viewSize_ = 0;
    viewMembers_.clear();
    lastFront_.reset();
    cursor_ = -1;
    changed_ = false;
    notifyViewReset();
}

std::optional<ClientDataSet::ReadRows> ClientDataSet::readAhead(FileSystem& files, const std::string& path,
                                                                const IndexDef& index, const TextOrder* nameOrder) {
    auto [rows, stamp] = readStamped(files, path);
    if (!stamp) return std::nullopt;
    ReadRows read{path, *stamp, std::move(rows), index, std::nullopt};
    read.front = IndexOrder(parseFieldList(index.fields), index.descending, namesOr(nameOrder))
                     .front(read.rows, std::vector<bool>(read.rows.size(), true), kRowsOrderedFirst);
    return read;
}

// --- index and filter --------------------------------------------------------

void ClientDataSet::setIndexName(std::string_view name) {
    if (!name.empty() && name != indexDef_.name) throw StoreError("Index '" + std::string(name) + "' not found");
    if (name == indexName_) return;
    indexName_ = name;
    if (active()) rebuildView();
}

void ClientDataSet::setFilter(std::string_view text) {
    FilterExpression expression = FilterExpression::parse(text);
    filterText_ = text;
    filterExpr_ = std::move(expression);
    if (active() && filtered_) rebuildView();
}

void ClientDataSet::setFiltered(bool on) {
    if (on == filtered_) return;
    filtered_ = on;
    if (active()) rebuildView();
}

bool ClientDataSet::passesFilter(const EventRow& row) const {
    if (!filtered_) return true;
    return filterExpr_.matches(row) && (!onFilterRecord || onFilterRecord(row));
}

bool ClientDataSet::rowLess(size_t a, size_t b) const {
    const int c = indexOrder_->compare(rows_[a], rows_[b]);
    return c != 0 ? c < 0 : a < b;
}

// The index's order of all rows is kept while the rows stay, so that a new
// filter, or the index switched off and on, costs one pass and no sort.
// The filter reads the rows in the file's order, as they lie in memory, and
// flags those in the view; a sorted view then takes them in the index's
// order. Until that order is made, a sorted view holds its first rows only,
// and keeps the flags for completeView().
void ClientDataSet::rebuildView() {
    viewMembers_.assign(rows_.size(), false);
    viewSize_ = 0;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (passesFilter(rows_[i])) {
            viewMembers_[i] = true;
            ++viewSize_;
        }
    view_.clear();
    if (indexName_.empty()) {
        view_.reserve(viewSize_);
        for (size_t i = 0; i < rows_.size(); ++i)
            if (viewMembers_[i]) view_.push_back(i);
        viewMembers_.clear();
    } else {
        if (!sorted_) {
            // The view's rows often stay the same through a string of
            // rebuilds, as when a filter is switched off and on.
            if (!lastFront_ || lastFront_->members != viewMembers_)
                lastFront_ = Front{viewMembers_, indexOrder_->front(rows_, viewMembers_, kRowsOrderedFirst)};
            if (lastFront_->rows) view_ = *lastFront_->rows;
        }
        const bool waits = !sorted_ && lastFront_->rows && view_.size() < viewSize_;
        if (!waits) completeView();
    }
    cursor_ = viewSize_ == 0 ? -1 : 0;
    notifyViewReset();
}

void ClientDataSet::completeView() const {
    if (viewMembers_.empty()) return;
    if (view_.size() < viewSize_) {
        if (!sorted_) {
            order_ = indexOrder_->sorted(rows_);
            sorted_ = true;
        }
        view_.clear();
        view_.reserve(viewSize_);
        for (const size_t row : order_)
            if (viewMembers_[row]) view_.push_back(row);
    }
    viewMembers_.clear();
    viewMembers_.shrink_to_fit();
}

size_t ClientDataSet::viewAt(size_t i) const {
    if (i >= view_.size()) completeView();
    return view_[i];
}

// --- cursor and reading ------------------------------------------------------

void ClientDataSet::setRecNo(int n) {
    if (viewSize_ == 0) return;
    const int target = std::clamp(n, 1, recordCount()) - 1;
    if (target == cursor_) return;
    cursor_ = target;
    notifyCurrentChanged();
}

const EventRow& ClientDataSet::current() const {
    if (state_ == DataSetState::Insert || state_ == DataSetState::Edit) return buffer_;
    requireActive();
    if (cursor_ < 0) throw StoreError("Cannot perform this operation on an empty dataset");
    return rows_[viewAt(static_cast<size_t>(cursor_))];
}

std::string ClientDataSet::vanus(const EventRow& row) const {
    return Tag != 0 && onCalcFields ? onCalcFields(row) : std::string();
}

std::string ClientDataSet::rowText(const EventRow& row, int pos) const {
    auto number = [](const auto& value) { return value ? std::to_string(*value) : std::string(); };
    switch (pos) {
        case Paev: return number(row.paev);
        case Kuu: return number(row.kuu);
        case Aasta: return number(row.aasta);
        case Nimi: return row.nimi;
        case Tyyp: return row.tyyp;
        case Kuup: return row.kuup ? formatDate(*row.kuup) : std::string();
        case Vanus: return vanus(row);
    }
    throw StoreError("Field index out of range");
}

int ClientDataSet::fieldInteger(int pos) const {
    const std::string text = fieldText(pos);
    return text.empty() ? 0 : parseInteger(text);
}

bool ClientDataSet::fieldIsNull(int pos) const { return fieldText(pos).empty(); }

// --- changing ----------------------------------------------------------------

int ClientDataSet::fieldOf(std::string_view name) const {
    const int position = fieldPosition(name);
    if (position < 0) throw StoreError("Field '" + std::string(name) + "' not found");
    if (state_ != DataSetState::Insert && state_ != DataSetState::Edit)
        throw StoreError("Dataset not in edit or insert mode");
    return position;
}

void ClientDataSet::insert() {
    requireActive();
    cancel();
    buffer_ = EventRow{};
    editedRow_.reset();
    state_ = DataSetState::Insert;
}

void ClientDataSet::edit() {
    requireActive();
    if (state_ != DataSetState::Browse) return;
    if (cursor_ < 0) throw StoreError("Cannot perform this operation on an empty dataset");
    editedRow_ = viewAt(static_cast<size_t>(cursor_));
    buffer_ = rows_[*editedRow_];
    state_ = DataSetState::Edit;
}

void ClientDataSet::setFieldText(std::string_view name, std::string_view text) {
    const int position = fieldOf(name);
    switch (position) {
        case Paev:
        case Kuu:
        case Aasta:
            if (!text.empty()) {
                setFieldInteger(name, parseInteger(text));
            } else if (position == Paev) {
                buffer_.paev.reset();
            } else if (position == Kuu) {
                buffer_.kuu.reset();
            } else {
                buffer_.aasta.reset();
            }
            break;
        case Nimi: buffer_.nimi = cutToWidth(text, kNimiWidth); break;
        case Tyyp: buffer_.tyyp = cutToWidth(text, kTyypWidth); break;
        default: throw StoreError("Field '" + std::string(name) + "' cannot be set from text");
    }
}

void ClientDataSet::setFieldInteger(std::string_view name, int value) {
    const int position = fieldOf(name);
    const auto small = [&] {
        if (value < INT16_MIN || value > INT16_MAX)
            throw StoreError(std::to_string(value) + " is not a valid value for field '" + std::string(name) + "'");
        return static_cast<std::int16_t>(value);
    };
    switch (position) {
        case Paev: buffer_.paev = small(); break;
        case Kuu: buffer_.kuu = small(); break;
        case Aasta: buffer_.aasta = value; break;
        default: throw StoreError("Field '" + std::string(name) + "' is not an integer field");
    }
}

void ClientDataSet::setFieldDate(std::string_view name, const Date& value) {
    if (fieldOf(name) != Kuup) throw StoreError("Field '" + std::string(name) + "' is not a date field");
    buffer_.kuup = value;
}

void ClientDataSet::post() {
    if (state_ != DataSetState::Insert && state_ != DataSetState::Edit) return;
    notifyRowsChanging();
    completeView();
    lastFront_.reset();
    const auto indexLess = [this](size_t a, size_t b) { return rowLess(a, b); };
    size_t row;
    if (state_ == DataSetState::Insert) {
        row = rows_.size();
        rows_.push_back(std::move(buffer_));
    } else {
        row = *editedRow_;
        if (const auto in = std::find(view_.begin(), view_.end(), row); in != view_.end()) view_.erase(in);
        if (sorted_) order_.erase(std::find(order_.begin(), order_.end(), row));
        rows_[row] = std::move(buffer_);
    }
    if (sorted_) order_.insert(std::upper_bound(order_.begin(), order_.end(), row, indexLess), row);
    state_ = DataSetState::Browse;
    editedRow_.reset();
    changed_ = true;

    if (passesFilter(rows_[row])) {
        auto place = indexName_.empty() ? std::upper_bound(view_.begin(), view_.end(), row)
                                        : std::upper_bound(view_.begin(), view_.end(), row, indexLess);
        cursor_ = static_cast<int>(place - view_.begin());
        view_.insert(place, row);
    } else {
        cursor_ = std::min(cursor_, static_cast<int>(view_.size()) - 1);
    }
    viewSize_ = view_.size();
    notifyViewReset();
}

void ClientDataSet::cancel() {
    if (state_ != DataSetState::Insert && state_ != DataSetState::Edit) return;
    state_ = DataSetState::Browse;
    editedRow_.reset();
    buffer_ = EventRow{};
}

void ClientDataSet::deleteRecord() {
    requireActive();
    if (state_ != DataSetState::Browse) cancel();
    if (cursor_ < 0) throw StoreError("Cannot perform this operation on an empty dataset");
    notifyRowsChanging();
    completeView();
    lastFront_.reset();
    const size_t row = view_[static_cast<size_t>(cursor_)];
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    view_.erase(view_.begin() + cursor_);
    viewSize_ = view_.size();
    if (sorted_) order_.erase(std::find(order_.begin(), order_.end(), row));
    for (std::vector<size_t>* indices : {&view_, &order_})
        for (size_t& index : *indices)
            if (index > row) --index;
    cursor_ = std::min(cursor_, recordCount() - 1);
    changed_ = true;
    notifyViewReset();
}

void ClientDataSet::notifyViewReset() const {
    if (onViewReset) onViewReset();
}

void ClientDataSet::notifyCurrentChanged() const {
    if (onCurrentChanged) onCurrentChanged();
}

void ClientDataSet::notifyRowsChanging() const {
    if (onRowsChanging) onRowsChanging();
}

}  // namespace store
