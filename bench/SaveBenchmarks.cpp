// SPDX-License-Identifier: GPL-3.0-or-later
// Closing a changed store, which writes the whole file, and the re-sort
// cycle of the list view: close (writing), change the index, open again.
#include "bench/BenchStore.h"
#include "bench/DataGenerator.h"

#include <benchmark/benchmark.h>

namespace bench {
namespace {

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

void BM_CloseWriting(benchmark::State& state) {
    BenchStore store(scratchCopyOf(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        store.data().open();
        store.changeCurrentName();
        state.ResumeTiming();
        store.data().close();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CloseWriting)->Apply(sizes);

// Alternates between the date order and names in reverse order.
void BM_ResortCycle(benchmark::State& state) {
    BenchStore store(scratchCopyOf(static_cast<int>(state.range(0))));
    store::IndexDef& index = store.data().indexDef();
    store.data().open();
    for (auto _ : state) {
        store.changeCurrentName();
        store.data().close();
        const bool byDate = index.fields != "Kuu;Paev;Aasta;Nimi";
        index.fields = byDate ? "Kuu;Paev;Aasta;Nimi" : "Nimi;Kuu;Paev;Aasta";
        index.descending = !byDate;
        store.data().open();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ResortCycle)->Apply(sizes);

}  // namespace
}  // namespace bench
