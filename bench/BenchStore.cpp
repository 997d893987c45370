// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchStore.h"

#include "bench/DataGenerator.h"
#include "store/AgeText.h"
#include "store/FileSystem.h"

namespace bench {

BenchStore::BenchStore(const std::string& path) : data_(store::PosixFileSystem::instance(), &order_) {
    data_.setFileName(path);
    data_.Tag = 1;
    data_.onCalcFields = [](const store::EventRow& row) { return store::ageOfRow(row, kToday); };
}

int BenchStore::touchAllAges() const {
    int known = 0;
    for (int i = 0; i < data_.recordCount(); ++i)
        if (data_.rowText(data_.viewRow(i), store::Vanus) != "?") ++known;
    return known;
}

void BenchStore::changeCurrentName() {
    data_.edit();
    data_.setFieldText("Nimi", renamed_ ? "Mari Tamm" : "Märt Õunapuu");
    data_.post();
    renamed_ = !renamed_;
}

}  // namespace bench
