// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the data file, next to its floors: reading and parsing the bytes
// with pugixml alone, and std::sort of the index keys in a plain vector.
#include "bench/BenchStore.h"
#include "bench/DataGenerator.h"
#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "store/IndexOrder.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <malloc.h>
#include <optional>
#include <tuple>

namespace bench {
namespace {

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

// Each iteration of the opening benchmarks starts as a program start does:
// the memory freed before goes back to the system, so every run pays for its
// fresh pages. Otherwise the figures depend on what ran before them.
void startCold(benchmark::State& state) {
    state.PauseTiming();
    ::malloc_trim(0);
    state.ResumeTiming();
}

// Read, parse, build the index "Kuup1", compute every row's age. Each run
// has a new store: a closed one keeps its rows for the next open.
void BM_Open(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::optional<BenchStore> store;
    for (auto _ : state) {
        state.PauseTiming();
        store.emplace(dataFileOf(count));
        state.ResumeTiming();
        startCold(state);
        store->data().open();
        benchmark::DoNotOptimize(store->touchAllAges());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_Open)->Apply(sizes);

// The floor of opening: the file's bytes, parsed by pugixml alone.
void BM_OpenFloor_ReadAndParse(benchmark::State& state) {
    const std::string& path = dataFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        startCold(state);
        const std::string bytes = store::PosixFileSystem::instance().read(path);
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(bytes.data(), bytes.size()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenFloor_ReadAndParse)->Apply(sizes);

// Only the file read into rows, without index or ages.
void BM_ReadDataPacket(benchmark::State& state) {
    const std::string& path = dataFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        startCold(state);
        benchmark::DoNotOptimize(store::readDataPacket(store::PosixFileSystem::instance().read(path)));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadDataPacket)->Apply(sizes);

// Sorting the open store's rows by the index "Kuup1", names in byte order.
void BM_Sort(benchmark::State& state) {
    BenchStore store(dataFileOf(static_cast<int>(state.range(0))));
    store.data().open();
    const store::ByteTextOrder bytes;
    const store::IndexOrder index({store::Kuu, store::Paev, store::Aasta, store::Nimi}, false, bytes);
    for (auto _ : state) benchmark::DoNotOptimize(index.sorted(store.data().allRows()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Sort)->Apply(sizes);

// The first 256 rows of the index "Kuup1", which a list shows before the
// rest of its rows are in order.
void BM_FirstRows(benchmark::State& state) {
    BenchStore store(dataFileOf(static_cast<int>(state.range(0))));
    store.data().open();
    const store::ByteTextOrder bytes;
    const store::IndexOrder index({store::Kuu, store::Paev, store::Aasta, store::Nimi}, false, bytes);
    const std::vector<bool> members(store.data().allRows().size(), true);
    for (auto _ : state) benchmark::DoNotOptimize(index.front(store.data().allRows(), members, 256));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FirstRows)->Apply(sizes);

// The floor of sorting: std::sort of (month, day, year, name) tuples, a
// missing value first.
void BM_SortFloor(benchmark::State& state) {
    using Key = std::tuple<int, int, int, std::string>;
    std::vector<Key> keys;
    for (const store::EventRow& row : generateRows(static_cast<int>(state.range(0))))
        keys.emplace_back(row.kuu.value_or(INT_MIN), row.paev.value_or(INT_MIN), row.aasta.value_or(INT_MIN), row.nimi);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Key> sorted = keys;
        state.ResumeTiming();
        std::sort(sorted.begin(), sorted.end());
        benchmark::DoNotOptimize(sorted.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SortFloor)->Apply(sizes);

}  // namespace
}  // namespace bench
