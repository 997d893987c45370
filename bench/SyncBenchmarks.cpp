// SPDX-License-Identifier: GPL-3.0-or-later
// The sync's merge of an unchanged list with its vdir, in process: opening
// the list under its lock, reading every event file and the state, and
// finding nothing to do. The first merge, which writes the vdir, is not timed.
#include "bench/DataGenerator.h"
#include "cli/SyncCommand.h"
#include "store/DataPacket.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace bench {
namespace {

void BM_SyncMergeUnchanged(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::string folder = (std::filesystem::temp_directory_path() / "zerizedozi-sync-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    cli::SyncRequest request;
    request.dataFile = folder + "/Vozoraza.xml";
    std::ofstream(request.dataFile, std::ios::binary) << store::writeDataPacket(generateRows(count));
    const cli::SyncPaths paths = cli::syncPaths(request.dataFile, true);
    std::ostringstream err;
    store::FileSystem& files = store::PosixFileSystem::instance();
    cli::mergeWithVdir(request, paths, files, kToday, std::nullopt, err);

    for (auto _ : state) {
        const cli::SyncCounts counts = cli::mergeWithVdir(request, paths, files, kToday, std::nullopt, err);
        if (counts.toServer + counts.fromServer + counts.deleted + counts.bothChanged != 0)
            state.SkipWithError("the unchanged list changed");
    }
    state.SetItemsProcessed(state.iterations() * count);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SyncMergeUnchanged)->Arg(2'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
