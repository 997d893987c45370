#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the format of every C++ file, builds with
# warnings as errors, runs clang-tidy on the files changed since the previous
# commit (scripts/tidy.sh), and runs the tests: every one in the normal build,
# the same but two kinds under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a short run of each fuzzer. GUI tests run headless (offscreen).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export QT_QPA_PLATFORM=offscreen
"$root/scripts/setup.sh"
"$root/scripts/format.sh" --check

# Both builds are made in batches of files (CMAKE_UNITY_BUILD), which takes
# half the time of a build file by file.
"$root/scripts/build.sh" -DZERIZEDOZI_WERROR=ON -DCMAKE_UNITY_BUILD=ON
"$root/scripts/tidy.sh"
ctest --test-dir "$root/build" --output-on-failure -j2

BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DZERIZEDOZI_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON -DZERIZEDOZI_WERROR=ON
# Leak checks stay on: the suite leaks nothing. Left out here: the sync against
# a real server, whose time goes to Radicale and vdirsyncer (its merge runs in
# process under the sanitizers in SyncMergeTest), and the install's check of
# files and package, which holds nothing of the sanitizers' concern.
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$root/build-asan" --output-on-failure -j2 \
  -E '^(SyncWithServer\.|InstalledFiles$)'

"$root/scripts/fuzz.sh" "${FUZZ_SECONDS:-10}"
