// SPDX-License-Identifier: GPL-3.0-or-later
// The table engine: the event list in memory, bound to its data file.
//
// The store holds every row of the file while it is open, and shows them
// through a view: the rows that pass the filter, in the order of the index.
// A cursor (1-based record number) points into the view. Rows are changed
// only through insert/edit + post, and deleteRecord; every such change marks
// the store changed, and closing a changed store writes the whole table
// (all rows, whatever filter or index) back to its file in one safe step.
// A closed store keeps the rows it last read or wrote, and opens with them
// again while the file is unchanged, as after a re-sort. A sorted view puts
// only its first rows in order at once; the rest is sorted when first
// needed, or when the owner calls completeView().
//
// Not thread-safe; one owner. Errors are thrown as StoreError (or its
// WriteError and ConversionError); a failed call leaves the store as it was
// before the call.
//
// ClientDataSet, Tag, the index "Kuup1" and the field names are the program's
// established design vocabulary; they stay so that design and code use the
// same words.
#pragma once

#include "store/EventRecord.h"
#include "store/FileSystem.h"
#include "store/FilterExpression.h"
#include "store/StoreError.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

class IndexOrder;
class TextOrder;

// The one index definition: a field list ("Kuu;Paev;Aasta;Nimi") and a flag
// that reverses the order of every field. Empty values sort first when
// ascending; ties keep the file's order.
struct IndexDef {
    std::string name = "Kuup1";
    std::string fields = "Kuu;Paev;Aasta;Nimi";
    bool descending = false;
};

enum class DataSetState { Inactive, Browse, Insert, Edit };

class ClientDataSet {
public:
    explicit ClientDataSet(FileSystem& files, const TextOrder* nameOrder = nullptr);
    ClientDataSet(const ClientDataSet&) = delete;
    ClientDataSet& operator=(const ClientDataSet&) = delete;
    ~ClientDataSet();

    // CalcEnabled: while 1, Vanus is onCalcFields' answer; while 0 it reads
    // as "" and onCalcFields is not called. 0 when the store is made.
    int Tag = 0;

    // Turns CalcEnabled off while it lives and on (1) when it ends, also
    // when an error ends its scope.
    class CalcPause {
    public:
        explicit CalcPause(ClientDataSet& data) : data_(data) { data_.Tag = 0; }
        ~CalcPause() { data_.Tag = 1; }
        CalcPause(const CalcPause&) = delete;
        CalcPause& operator=(const CalcPause&) = delete;

    private:
        ClientDataSet& data_;
    };

    // Called per row whose Vanus is read; returns its Vanus text.
    std::function<std::string(const EventRow&)> onCalcFields;
    // With filtering on, a row is in the view only if it passes the filter
    // text and this test.
    std::function<bool(const EventRow&)> onFilterRecord;
    // The view's rows or their order changed (or the store opened/closed).
    std::function<void()> onViewReset;
    // The current record moved within an unchanged view.
    std::function<void()> onCurrentChanged;
    // The rows are about to change or be dropped: a post, a deletion, a close.
    std::function<void()> onRowsChanging;

    // --- file and lifecycle -------------------------------------------------
    void setFileName(std::string path) { fileName_ = std::move(path); }
    const std::string& fileName() const { return fileName_; }

    // REQUIRES: !active(). Reads the whole file (none when no file name is
    // set), builds the index from its definition and filters when filtered().
    // Afterwards: active, unchanged, the first row of the view current.
    // On error the store stays closed. A file others may put another in
    // place of (FileSystem::othersMayReplace) is refused, not read.
    // Rows the store holds from its file already (kept at close, or offered)
    // are taken instead of reading, while the file keeps the stamp it had
    // when they were read or written.
    void open();
    // Closes. When the data changed since open, first writes every row to the
    // file; if that write fails, WriteError is thrown and the store stays open
    // with all its rows and changes, so nothing is lost.
    void close();

    // A data file's rows as read at one stamp of the file, and the first
    // rows of their order under `index` (IndexOrder::front), if known.
    struct ReadRows {
        std::string path;
        FileStamp stamp;
        std::vector<EventRow> rows;
        IndexDef index;
        std::optional<std::vector<size_t>> front;
    };
    // Reads `path` and orders its first rows as open() would, touching no
    // store, so that it may run on another thread. nullopt when the file has
    // no stamp or changed while being read. Throws StoreError as open() does,
    // also for a missing file.
    static std::optional<ReadRows> readAhead(FileSystem& files, const std::string& path, const IndexDef& index,
                                             const TextOrder* nameOrder);
    // Rows for open() to take instead of reading, on its terms; their front
    // serves when `index` is this store's definition and the rows were
    // ordered with this store's name order.
    void offer(ReadRows read) { kept_ = std::move(read); }
    bool active() const { return state_ != DataSetState::Inactive; }

    // True after a posted insert or edit, or a deletion, since open.
    bool changed() const { return changed_; }
    // Kept for the closing sequence, which names this step. Posted changes
    // go straight into the rows, so there is no log to fold: does nothing,
    // and changed() stays as it was.
    void mergeChangeLog() {}

    // --- index --------------------------------------------------------------
    // The one index definition; change it while closed, it applies at open.
    IndexDef& indexDef() { return indexDef_; }
    const IndexDef& indexDef() const { return indexDef_; }
    // "" shows the rows in the file's order, the definition's name sorts.
    // Any other name throws.
    void setIndexName(std::string_view name);

    // --- filter -------------------------------------------------------------
    // Throws StoreError when the text is no valid expression; the old filter
    // then stays.
    void setFilter(std::string_view text);
    const std::string& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // Puts the rest of the view in order now rather than when first needed.
    void completeView() const;

    // --- cursor -------------------------------------------------------------
    int recordCount() const { return static_cast<int>(viewSize_); }
    // 1-based place of the current record in the view; 0 when the view is empty.
    int recNo() const { return cursor_ + 1; }
    // Moves to record `n`, clamped to the view; nothing when it is current.
    void setRecNo(int n);
    void first() { setRecNo(1); }
    void next() { setRecNo(recNo() + 1); }
    void last() { setRecNo(recordCount()); }

    // --- reading ------------------------------------------------------------
    // The current record: the edit buffer while inserting or editing.
    // REQUIRES for the field readers: a current record or an edit buffer.
    const EventRow& current() const;
    // Plain text: integers without leading zeros, Kuup as "dd.mm.yyyy",
    // Vanus computed; a null value reads as "".
    std::string fieldText(int pos) const { return rowText(current(), pos); }
    // A null reads as 0; a text field must hold an integer (ConversionError).
    int fieldInteger(int pos) const;
    bool fieldIsNull(int pos) const;

    // Row `i` (0-based) of the view, without moving the cursor.
    const EventRow& viewRow(int i) const { return rows_[viewAt(static_cast<size_t>(i))]; }
    std::string rowText(const EventRow& row, int pos) const;
    // Vanus of a row: onCalcFields' answer while CalcEnabled (Tag) is on;
    // "" while it is off or without a handler.
    std::string vanus(const EventRow& row) const;

    // Every row in the file's order, whatever the view.
    const std::vector<EventRow>& allRows() const { return rows_; }

    // --- changing -----------------------------------------------------------
    // REQUIRES: browse state. Starts a new, empty row.
    void insert();
    // REQUIRES: browse state and a current record. Starts editing it.
    void edit();
    // Field setters work on the edit buffer (REQUIRES insert or edit state).
    // Text for an integer field: "" makes it null, else a decimal integer.
    // Texts longer than the field's width are cut to it.
    void setFieldText(std::string_view name, std::string_view text);
    void setFieldInteger(std::string_view name, int value);
    void setFieldDate(std::string_view name, const Date& value);
    // Stores the buffer: a new row joins the view at its index place (when
    // it passes the filter) and becomes current. Back in browse state.
    void post();
    // Drops an unposted insert or edit; nothing in browse state.
    void cancel();
    // Drops an unposted insert or edit first, then removes the current
    // record; the next one (or the new last one) becomes current.
    void deleteRecord();

private:
    void requireActive() const;
    void rebuildView();
    size_t viewAt(size_t i) const;
    bool passesFilter(const EventRow& row) const;
    bool rowLess(size_t a, size_t b) const;  // the index's order, then the file's
    int fieldOf(std::string_view name) const;
    void notifyViewReset() const;
    void notifyCurrentChanged() const;
    void notifyRowsChanging() const;

    FileSystem& files_;
    const TextOrder* nameOrder_;
    std::string fileName_;
    DataSetState state_ = DataSetState::Inactive;
    bool changed_ = false;

    std::vector<EventRow> rows_;
    std::optional<FileStamp> rowsStamp_;  // the file's, when rows_ were read or written
    std::optional<ReadRows> kept_;        // the rows while closed
    // The view and the index's order are completed on first need, also by
    // readers; the store has one owner, so that needs no lock.
    mutable std::vector<size_t> order_;  // indices into rows_ in index order, once sorted
    mutable bool sorted_ = false;        // order_ holds every row
    mutable std::vector<size_t> view_;   // indices into rows_: the view's first rows, or all
    size_t viewSize_ = 0;
    mutable std::vector<bool> viewMembers_;  // the rows in the view, while view_ holds only its first
    struct Front {
        std::vector<bool> members;
        std::optional<std::vector<size_t>> rows;  // IndexOrder::front's answer for them
    };
    std::optional<Front> lastFront_;  // while the rows and the index stay
    int cursor_ = -1;

    IndexDef indexDef_;
    std::string indexName_ = "Kuup1";
    std::unique_ptr<IndexOrder> indexOrder_;  // from the definition at open

    std::string filterText_;
    FilterExpression filterExpr_;
    bool filtered_ = false;

    EventRow buffer_;
    std::optional<size_t> editedRow_;  // row index being edited
};

}  // namespace store
