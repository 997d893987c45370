#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in build-bench. First bench_startup starts the built
# program on Xvfb (display $BENCH_DISPLAY, default :60) and prints its
# start-up table, before the other benchmarks have churned the machine's
# memory. Then bench_cli times zerizedozi-cli's commands as whole processes,
# each beside a run of the floor program bench_floor, and prints its table.
# Then three repetitions each of bench_store (the record store
# against its floors) and bench_app (the window program, offscreen); extra
# arguments go to both (for example --benchmark_filter=Open). Ends with a
# Markdown table of the store's medians and their ratios to the floors; the
# full results are in build-bench/store.json and build-bench/app.json.
#   usage: scripts/bench.sh [benchmark options]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DZERIZEDOZI_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target bench_store bench_app bench_startup bench_cli
"$build/bench/bench_startup" "$build/app/zerizedozi" --display="${BENCH_DISPLAY:-:60}" --runs=7
"$build/bench/bench_cli" "$build/app/zerizedozi-cli" "$build/bench/bench_floor" --runs=7
for program in store app; do
  QT_QPA_PLATFORM=offscreen "$build/bench/bench_$program" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$build/$program.json" --benchmark_out_format=json "$@"
done

if ! command -v python3 >/dev/null; then
  echo "python3 not found: no table" >&2
  exit 0
fi
python3 "$root/scripts/bench_table.py" "$build/store.json"
