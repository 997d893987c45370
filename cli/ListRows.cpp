// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ListRows.h"

#include "store/ClientDataSet.h"
#include "store/IndexOrder.h"
#include "store/TextOrder.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>

namespace cli {

namespace {

// The field positions of the list's one index.
std::vector<int> indexFields() {
    const std::string list = store::IndexDef{}.fields;
    std::vector<int> fields;
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find(';', start), list.size());
        fields.push_back(store::fieldPosition(std::string_view(list).substr(start, end - start)));
        start = end + 1;
    }
    return fields;
}

}  // namespace

std::vector<store::EventRow> readListRows(const store::FileSystem& files, const std::string& path,
                                          const store::RowFilter& keep) {
    const std::unique_ptr<store::FileReader> file = files.openToRead(path);
    std::vector<store::EventRow> rows = keep ? store::readDataPacket(*file, keep) : store::readDataPacket(*file);
    putInListOrder(rows);
    return rows;
}

void putInListOrder(std::vector<store::EventRow>& rows) {
    static const store::ByteTextOrder kNamesByBytes;
    std::vector<size_t> order = store::IndexOrder(indexFields(), false, kNamesByBytes).sorted(rows);
    // Each cycle of the permutation in turn, every row moved once; a place
    // that holds its row is marked by order[i] == i.
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) continue;
        store::EventRow held = std::move(rows[start]);
        size_t to = start;
        while (order[to] != start) {
            const size_t from = order[to];
            rows[to] = std::move(rows[from]);
            order[to] = to;
            to = from;
        }
        rows[to] = std::move(held);
        order[to] = to;
    }
}

}  // namespace cli
