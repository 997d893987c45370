// SPDX-License-Identifier: GPL-3.0-or-later
// A store set up as the list view uses it: names in plain byte order (the
// program plugs in its Estonian collator instead), ages computed by AgeText
// on the benchmarks' fixed today.
#pragma once

#include "store/ClientDataSet.h"
#include "store/TextOrder.h"

#include <string>

namespace bench {

class BenchStore {
public:
    // Bound to the data file at `path`; not opened.
    explicit BenchStore(const std::string& path);

    store::ClientDataSet& data() { return data_; }
    // Reads every row's age through the store, as a full scroll of the list
    // would; returns the number of known ages.
    int touchAllAges() const;
    // Changes the name of the current row, so that closing writes the file.
    void changeCurrentName();

private:
    store::ByteTextOrder order_;
    store::ClientDataSet data_;
    bool renamed_ = false;
};

}  // namespace bench
