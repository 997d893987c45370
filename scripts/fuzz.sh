#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang in build-fuzz and runs each of them for
# SECONDS seconds on a copy of its seed corpus, as many at once as there are
# processors.
# Exits non-zero when a target finds a crash, a leak, a timeout or runs out of
# memory; what it found is left in build-fuzz/findings/<target>/.
#   usage: scripts/fuzz.sh SECONDS
set -euo pipefail

if [[ $# -ne 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root/fuzz" -B "$build" -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build "$build" -j2 --target fuzz_data_packet fuzz_filter fuzz_date_text fuzz_vcard fuzz_csv

declare -A max_len=([fuzz_data_packet]=65536 [fuzz_filter]=4096 [fuzz_date_text]=64 [fuzz_vcard]=65536 [fuzz_csv]=65536)

# One target for SECONDS seconds; its exit status says whether it found a fault.
run_target() {
  local target=$1 corpus=$build/corpus/$1 findings=$build/findings/$1
  mkdir -p "$corpus" "$findings"
  cp "$root/fuzz/corpus/$target/"* "$corpus/"
  "$build/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -max_len="${max_len[$target]}" -print_final_stats=1 -artifact_prefix="$findings/" \
    >"$build/$target.log" 2>&1
}

# As many targets at once as there are processors, each on one.
targets=(fuzz_data_packet fuzz_filter fuzz_date_text fuzz_vcard fuzz_csv)
declare -A pid_of=()
for target in "${targets[@]}"; do
  while (( $(jobs -rp | wc -l) >= $(nproc) )); do wait -n || true; done
  echo "== $target: ${seconds}s"
  run_target "$target" &
  pid_of[$target]=$!
done
failed=()
for target in "${targets[@]}"; do
  if ! wait "${pid_of[$target]}"; then
    failed+=("$target")
    tail -n 40 "$build/$target.log" >&2
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE' "$build/$target.log" || true
done

if (( ${#failed[@]} )); then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
echo "fuzzing found nothing"
