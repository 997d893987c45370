#!/usr/bin/env bash
# Formats every C++ file of the project with clang-format and .clang-format;
# with --check, changes nothing and fails when a file differs.
#   usage: scripts/format.sh [--check]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
