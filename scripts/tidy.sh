#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with .clang-tidy over the program's C++ files (not the tests,
# benchmarks or fuzz targets), two at a time, and fails on any warning. It
# configures a tree of its own, build-tidy/, for the compile commands of every
# file: a build in batches (CMAKE_UNITY_BUILD, as scripts/test.sh builds)
# lists only the batches. Nothing needs to be built.
#
# A whole run takes some 10 minutes of a processor, so by default only the
# files changed since $TIDY_SINCE (the previous commit; uncommitted changes
# count too) are checked, and for a changed header the sources that include
# it. With --all, or without a previous commit, every file is checked.
#   usage: scripts/tidy.sh [--all]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$root/build-tidy
cd "$root"
command -v git >/dev/null || { echo "clang-tidy: git is needed to tell the changed files" >&2; exit 1; }
folders=(store platform print app cli desktop)

mapfile -t all < <(git ls-files -- "${folders[@]/%//*.cpp}")
if [[ "${1:-}" == "--all" ]] || ! since=$(git rev-parse --verify -q "${TIDY_SINCE:-HEAD~1}"); then
  sources=("${all[@]}")
else
  mapfile -t changed < <(git diff --name-only --diff-filter=d "$since" -- "${folders[@]/%//*.cpp}" "${folders[@]/%//*.h}")
  sources=()
  for file in "${changed[@]}"; do
    case "$file" in
      *.cpp) sources+=("$file") ;;
      *.h) mapfile -t -O "${#sources[@]}" sources < <(grep -lF "#include \"$file\"" "${all[@]}" || true) ;;
    esac
  done
  mapfile -t sources < <(printf '%s\n' "${sources[@]}" | sort -u | sed '/^$/d')
fi
if [[ ${#sources[@]} -eq 0 ]]; then
  echo "clang-tidy: no changed files"
  exit 0
fi
echo "clang-tidy: ${#sources[@]} files"
mkdir -p "$build"
if ! cmake -S "$root" -B "$build" -DCMAKE_UNITY_BUILD=OFF -DBUILD_TESTING=OFF >"$build/configure.log" 2>&1; then
  cat "$build/configure.log" >&2
  exit 1
fi
# The compile commands hold GCC options that clang does not know; they are let be.
run-clang-tidy-14 -quiet -p "$build" -j2 -extra-arg=-Wno-unknown-warning-option "${sources[@]/%/$}" >"$build/clang-tidy.log" 2>&1 || {
  grep -E "(error|warning):" "$build/clang-tidy.log" >&2 || cat "$build/clang-tidy.log" >&2
  exit 1
}
