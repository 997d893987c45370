// SPDX-License-Identifier: GPL-3.0-or-later
// Filtering the open store: by name (Nimi='…'), by month (Kuu=3), and by
// age (onFilterRecord comparing AgeText with "40"). Each iteration applies a
// filter anew, which rebuilds the view: filter every row, sort what passes.
#include "bench/BenchStore.h"
#include "bench/DataGenerator.h"
#include "store/AgeText.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace bench {
namespace {

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

// Applies `filters` in turn on the open store of state.range(0) rows.
void applyFilters(benchmark::State& state, const std::vector<std::string>& filters,
                  const std::function<bool(const store::EventRow&)>& onFilterRecord = nullptr) {
    BenchStore store(dataFileOf(static_cast<int>(state.range(0))));
    store.data().onFilterRecord = onFilterRecord;
    store.data().open();
    store.data().completeView();  // as the window does once the rows are on screen
    store.data().setFiltered(true);
    size_t next = 0;
    int shown = 0;
    for (auto _ : state) {
        store.data().setFilter(filters[next]);
        next = (next + 1) % filters.size();
        shown += store.data().recordCount();
    }
    state.counters["shown"] = benchmark::Counter(shown, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FilterName(benchmark::State& state) { applyFilters(state, {"Nimi='Mari Tamm'", "Nimi='Jüri Õunapuu'"}); }
BENCHMARK(BM_FilterName)->Apply(sizes);

void BM_FilterMonth(benchmark::State& state) { applyFilters(state, {"Kuu=3", "Kuu=4"}); }
BENCHMARK(BM_FilterMonth)->Apply(sizes);

void BM_FilterAge(benchmark::State& state) {
    applyFilters(state, {""}, [](const store::EventRow& row) { return store::ageOfRow(row, kToday) == "40"; });
}
BENCHMARK(BM_FilterAge)->Apply(sizes);

// The floor of the name filter: one pass over the rows in memory.
void BM_FilterNameFloor(benchmark::State& state) {
    const std::vector<store::EventRow> rows = generateRows(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::count_if(rows.begin(), rows.end(),
                                               [](const store::EventRow& row) { return row.nimi == "Mari Tamm"; }));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FilterNameFloor)->Apply(sizes);

}  // namespace
}  // namespace bench
