#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the format of every C++ file, builds with
# warnings as errors, runs clang-tidy on the files changed since the previous
# commit (scripts/tidy.sh), and runs every test: the normal build, the same
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run
# of each fuzzer. GUI tests run headless (offscreen).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export QT_QPA_PLATFORM=offscreen
"$root/scripts/setup.sh"
"$root/scripts/format.sh" --check

"$root/scripts/build.sh" -DZERIZEDOZI_WERROR=ON
"$root/scripts/tidy.sh"
ctest --test-dir "$root/build" --output-on-failure -j2

# Built in batches of files: it is always built whole, and so sooner.
BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DZERIZEDOZI_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON -DZERIZEDOZI_WERROR=ON
# Leak checks stay on: the suite leaks nothing.
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$root/build-asan" --output-on-failure -j2

"$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}"
