#include "bench/BenchStore.h"

#include "bench/DataGenerator.h"
#include "store/AgeText.h"
#include "store/FileSystem.h"

namespace bench {

std::string ageOf(const store::EventRow& row) {
    const std::string year = row.aasta ? std::to_string(*row.aasta) : std::string();
    return store::AgeText(year, row.kuu.value_or(0), row.paev.value_or(0), kToday);
}

BenchStore::BenchStore(const std::string& path) : data_(store::PosixFileSystem::instance(), &order_) {
    data_.setFileName(path);
    data_.Tag = 1;
    data_.onCalcFields = [this](const store::EventRow& row) { return data_.Tag == 1 ? ageOf(row) : std::string(); };
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
