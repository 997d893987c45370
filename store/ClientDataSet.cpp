#include "store/ClientDataSet.h"

#include <algorithm>

#include "store/AgeText.h"
#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "store/TextEncoding.h"
#include "store/TextOrder.h"

namespace store {

namespace {

// Compares two nullable values; null sorts first.
template <typename T>
int compareOptional(const std::optional<T>& a, const std::optional<T>& b) {
    if (!a || !b) return static_cast<int>(a.has_value()) - static_cast<int>(b.has_value());
    return *a < *b ? -1 : (*b < *a ? 1 : 0);
}

int compareText(const std::string& a, const std::string& b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

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

std::string cutToWidth(std::string_view text, size_t width) { return std::string(utf8Prefix(text, width)); }

// The leading index fields of a row packed into 128 bits, so that sorting
// compares plain numbers and only rows with equal prefixes need the full
// comparison. Integer fields take 17 or 33 bits each (0 for null, values in
// order above it); a text field then fills the rest with its first bytes,
// zero-padded, a name with the first bytes of its key in the plugged-in
// order; the prefix ends there, at Kuup, or when a field no longer fits.
// Descending flips every field's bits. Different prefixes are in the order
// the full comparison gives.
__extension__ typedef unsigned __int128 SortPrefix;

class SortPrefixWriter {
public:
    explicit SortPrefixWriter(bool descending) : descending_(descending) {}

    // False when the field does not fit; nothing more may be appended then.
    template <typename T>
    bool appendInteger(const std::optional<T>& value) {
        constexpr int bits = sizeof(T) * 8 + 1;
        if (used_ + bits > 128) return false;
        const std::uint64_t offset = std::uint64_t{1} << (sizeof(T) * 8 - 1);
        append(value ? static_cast<std::uint64_t>(static_cast<std::int64_t>(*value) + offset) + 1 : 0, bits);
        return true;
    }
    // The first bytes of a name's key (TextOrder::keyPrefix), as many as fit.
    void appendKeyPrefix(std::uint64_t prefix) {
        for (int shift = 56; shift >= 0 && used_ + 8 <= 128; shift -= 8) append(prefix >> shift & 0xff, 8);
    }
    void appendText(std::string_view text) {
        for (size_t i = 0; used_ + 8 <= 128; ++i) append(i < text.size() ? static_cast<unsigned char>(text[i]) : 0, 8);
    }
    SortPrefix prefix() const { return used_ == 0 ? 0 : bits_ << (128 - used_); }

private:
    void append(std::uint64_t value, int bits) {
        const std::uint64_t mask = bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
        bits_ = (bits_ << bits) | ((descending_ ? ~value : value) & mask);
        used_ += bits;
    }

    bool descending_;
    SortPrefix bits_ = 0;
    int used_ = 0;
};

}  // namespace

ClientDataSet::ClientDataSet(FileSystem& files, const TextOrder* nameOrder) : files_(files), nameOrder_(nameOrder) {}

ClientDataSet::~ClientDataSet() = default;

void ClientDataSet::requireActive() const {
    if (!active()) throw StoreError("Cannot perform this operation on a closed dataset");
}

// --- lifecycle ---------------------------------------------------------------

void ClientDataSet::open() {
    if (active()) return;
    std::vector<int> sortFields = parseFieldList(indexDef_.fields);
    std::vector<EventRow> rows;
    if (!fileName_.empty()) rows = readDataPacket(files_.read(fileName_));

    rows_ = std::move(rows);
    sortFields_ = std::move(sortFields);
    sorted_ = false;
    changed_ = false;
    editedRow_.reset();
    state_ = DataSetState::Browse;
    rebuildView();
}

void ClientDataSet::close() {
    if (!active()) return;
    cancel();
    notifyRowsChanging();
    if (changed_ && !fileName_.empty()) files_.replace(fileName_, writeDataPacket(rows_));
    state_ = DataSetState::Inactive;
    rows_.clear();
    rows_.shrink_to_fit();
    order_.clear();
    order_.shrink_to_fit();
    sorted_ = false;
    view_.clear();
    view_.shrink_to_fit();
    cursor_ = -1;
    changed_ = false;
    notifyViewReset();
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

int ClientDataSet::compareFields(size_t a, size_t b, size_t firstField, size_t endField) const {
    const EventRow& x = rows_[a];
    const EventRow& y = rows_[b];
    for (size_t i = firstField; i < endField; ++i) {
        int c = 0;
        switch (sortFields_[i]) {
            case Paev: c = compareOptional(x.paev, y.paev); break;
            case Kuu: c = compareOptional(x.kuu, y.kuu); break;
            case Aasta: c = compareOptional(x.aasta, y.aasta); break;
            case Kuup: c = compareOptional(x.kuup, y.kuup); break;
            case Tyyp: c = compareText(x.tyyp, y.tyyp); break;
            case Nimi: c = nameOrder().compare(x.nimi, y.nimi); break;
        }
        if (c != 0) return indexDef_.descending ? -c : c;
    }
    return 0;
}

bool ClientDataSet::rowLess(size_t a, size_t b) const {
    const int c = compareFields(a, b, 0, sortFields_.size());
    return c != 0 ? c < 0 : a < b;
}

const TextOrder& ClientDataSet::nameOrder() const {
    static const ByteTextOrder bytes;
    return nameOrder_ ? *nameOrder_ : bytes;
}

// Rows are sorted by their leading fields packed into numbers, taken in the
// file's order; only rows whose packed fields tie are compared field by field.
// A name packs the first bytes of its key; a list sorted by the name first
// gets whole keys, made once per name, since its names often share their
// beginnings.
void ClientDataSet::sortRows() {
    if (!sortFields_.empty() && sortFields_.front() == Nimi) {
        sortRowsByNameKeys();
        return;
    }
    const auto prefixOf = [this](size_t row) {
        SortPrefixWriter writer(indexDef_.descending);
        const EventRow& r = rows_[row];
        for (const int field : sortFields_) {
            bool more = false;
            switch (field) {
                case Paev: more = writer.appendInteger(r.paev); break;
                case Kuu: more = writer.appendInteger(r.kuu); break;
                case Aasta: more = writer.appendInteger(r.aasta); break;
                case Nimi: writer.appendKeyPrefix(nameOrder().keyPrefix(r.nimi)); break;
                case Tyyp: writer.appendText(r.tyyp); break;
                case Kuup: break;
            }
            if (!more) break;
        }
        return writer.prefix();
    };
    std::vector<std::pair<SortPrefix, size_t>> keyed;
    keyed.reserve(rows_.size());
    for (size_t row = 0; row < rows_.size(); ++row) keyed.emplace_back(prefixOf(row), row);
    std::sort(keyed.begin(), keyed.end(), [this](const auto& x, const auto& y) {
        return x.first != y.first ? x.first < y.first : rowLess(x.second, y.second);
    });
    order_.resize(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i) order_[i] = keyed[i].second;
    sorted_ = true;
}

void ClientDataSet::sortRowsByNameKeys() {
    struct Keyed {
        SortPrefix prefix;  // the key's first 16 bytes
        std::string_view key;
        size_t row;
    };
    SortKeys keys(nameOrder());
    std::vector<Keyed> keyed;
    keyed.reserve(rows_.size());
    for (size_t row = 0; row < rows_.size(); ++row) {
        const std::string_view key = keys.add(rows_[row].nimi);
        SortPrefixWriter writer(false);
        writer.appendText(key);
        keyed.push_back({writer.prefix(), key, row});
    }
    const size_t fieldCount = sortFields_.size();
    std::sort(keyed.begin(), keyed.end(), [this, fieldCount](const Keyed& x, const Keyed& y) {
        int c = x.prefix != y.prefix ? (x.prefix < y.prefix ? -1 : 1) : x.key.compare(y.key);
        if (c != 0) return indexDef_.descending ? c > 0 : c < 0;
        // Equal keys are equal names; the fields after the name decide.
        c = compareFields(x.row, y.row, 1, fieldCount);
        return c != 0 ? c < 0 : x.row < y.row;
    });
    order_.resize(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i) order_[i] = keyed[i].row;
    sorted_ = true;
}

// The index's order of all rows is kept while the rows stay, so that a new
// filter, or the index switched off and on, costs one pass and no sort.
void ClientDataSet::rebuildView() {
    view_.clear();
    view_.reserve(rows_.size());
    if (indexName_.empty()) {
        for (size_t i = 0; i < rows_.size(); ++i)
            if (passesFilter(rows_[i])) view_.push_back(i);
    } else {
        if (!sorted_) sortRows();
        for (const size_t row : order_)
            if (passesFilter(rows_[row])) view_.push_back(row);
    }
    cursor_ = view_.empty() ? -1 : 0;
    notifyViewReset();
}

// --- cursor and reading ------------------------------------------------------

void ClientDataSet::setRecNo(int n) {
    if (view_.empty()) return;
    const int target = std::clamp(n, 1, recordCount()) - 1;
    if (target == cursor_) return;
    cursor_ = target;
    notifyCurrentChanged();
}

const EventRow& ClientDataSet::current() const {
    if (state_ == DataSetState::Insert || state_ == DataSetState::Edit) return buffer_;
    requireActive();
    if (cursor_ < 0) throw StoreError("Cannot perform this operation on an empty dataset");
    return rows_[view_[static_cast<size_t>(cursor_)]];
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
    editedRow_ = view_[static_cast<size_t>(cursor_)];
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
        cursor_ = std::min(cursor_, recordCount() - 1);
    }
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
    const size_t row = view_[static_cast<size_t>(cursor_)];
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    view_.erase(view_.begin() + cursor_);
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
