// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's costs on large lists, offscreen: start-up to a
// painted grid, rebuilding the filter menus, building and painting the name
// menu, choosing a filter, a title click,
// composing the report; and the memory a million rows take.
#include "app/DBGrid.h"
#include "app/FilterMenu.h"
#include "app/Synna.h"
#include "app/Unit1.h"
#include "bench/DataGenerator.h"
#include "print/ReportText.h"
#include "store/Clock.h"
#include "store/DataPacket.h"
#include "store/FileSystem.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace bench {
namespace {

// A program folder holding a data file of `count` rows; with `distinctNames`
// every row gets a name of its own.
class ProgramFolder {
public:
    ProgramFolder(int count, bool distinctNames) {
        std::vector<store::EventRow> rows = generateRows(count);
        if (distinctNames)
            for (size_t i = 0; i < rows.size(); ++i) rows[i].nimi += " " + std::to_string(i);
        writeFile(dir_.file("Vozoraza.xml"), store::writeDataPacket(rows));
    }
    QString path() const { return QString::fromStdString(dir_.path()); }

private:
    TempDir dir_;
};

struct Window {
    explicit Window(const ProgramFolder& folder)
        : form({folder.path() + "/Vozoraza.xml",
                folder.path() + "/zerizedozi",
                {"zerizedozi"},
                desktop,
                clock,
                store::PosixFileSystem::instance()}) {
        form.endProgram = [](int) {};
    }
    // The start-up as the first activation runs it, and one paint of the window.
    void start() {
        form.show();
        form.FormActivate();
        benchmark::DoNotOptimize(form.grab());
    }
    // What the window does right after that paint: the rest of the list's
    // order, and the menus.
    void settle() { QCoreApplication::processEvents(); }

    platform::ScriptedPlatform desktop;
    store::FixedClock clock{kToday};
    app::TForm1 form;
};

void sizes(benchmark::internal::Benchmark* b) { b->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond); }

void BM_StartupToPaintedGrid(benchmark::State& state) {
    ProgramFolder folder(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        Window window(folder);
        window.start();
        state.PauseTiming();
        window.form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToPaintedGrid)->Apply(sizes);

void BM_Uuenda(benchmark::State& state) {
    ProgramFolder folder(static_cast<int>(state.range(0)), true);
    Window window(folder);
    window.start();
    window.settle();
    for (auto _ : state) {
        window.form.Uuenda();
        window.form.makePendingMenus();
    }
    state.counters["names"] = static_cast<double>(window.form.Frame11->MenuNimi->values().size());
}
BENCHMARK(BM_Uuenda)->Apply(sizes);

// One choice in a column's menu and "Kõik" again: two filterings.
void filterBenchmark(benchmark::State& state, int column, int position) {
    ProgramFolder folder(static_cast<int>(state.range(0)), false);
    Window window(folder);
    window.start();
    window.settle();
    app::FilterMenu* menu = window.form.Frame11->columnMenus()[static_cast<size_t>(column)];
    QAction* choice = menu->item(position);
    QAction* all = menu->item(0);
    for (auto _ : state) {
        choice->trigger();
        benchmark::DoNotOptimize(window.form.ClientDataSet1.recordCount());
        all->trigger();
    }
}
void BM_FilterMonthAndBack(benchmark::State& state) { filterBenchmark(state, 1, 4); }
void BM_FilterNameAndBack(benchmark::State& state) { filterBenchmark(state, 3, 100); }
void BM_FilterAgeAndBack(benchmark::State& state) { filterBenchmark(state, 4, 40); }
BENCHMARK(BM_FilterMonthAndBack)->Apply(sizes);
BENCHMARK(BM_FilterNameAndBack)->Apply(sizes);
BENCHMARK(BM_FilterAgeAndBack)->Apply(sizes);

// The name menu made anew and painted once, every name distinct: radio
// items up to a few hundred names, the scrolling list past that.
void BM_NameMenuBuildAndPaint(benchmark::State& state) {
    ProgramFolder folder(static_cast<int>(state.range(0)), true);
    Window window(folder);
    window.start();
    window.settle();
    app::FilterMenu* menu = window.form.Frame11->MenuNimi;
    const QStringList names = menu->values();
    for (auto _ : state) {
        menu->setValues(names);
        menu->ensureBuilt();
        benchmark::DoNotOptimize(menu->grab());
    }
}
BENCHMARK(BM_NameMenuBuildAndPaint)->Arg(300)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_TitleClickResort(benchmark::State& state) {
    ProgramFolder folder(static_cast<int>(state.range(0)), false);
    Window window(folder);
    window.start();
    window.settle();
    for (auto _ : state) window.form.Frame11DBGrid1TitleClick(3);
}
BENCHMARK(BM_TitleClickResort)->Apply(sizes);

void BM_ComposeReport(benchmark::State& state) {
    const std::vector<store::EventRow> rows = generateRows(static_cast<int>(state.range(0)));
    std::vector<print::ReportRecord> records;
    for (const store::EventRow& row : rows)
        records.push_back({row.kuup, row.aasta ? std::to_string(*row.aasta) : "", row.nimi, "42", row.tyyp});
    for (auto _ : state) benchmark::DoNotOptimize(print::composeReport(records, {}, kToday));
}
BENCHMARK(BM_ComposeReport)->Apply(sizes);

// A million rows opened in the window and scrolled from top to bottom; the
// counter is the process's peak memory.
void BM_MillionRowsOpenAndScroll(benchmark::State& state) {
    ProgramFolder folder(1'000'000, false);
    for (auto _ : state) {
        Window window(folder);
        window.start();
        window.form.Frame11->DBGrid1->scrollToBottom();
        benchmark::DoNotOptimize(window.form.grab());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_MillionRowsOpenAndScroll)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
