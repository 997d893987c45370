#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ file of the project with clang-format 14 and
# .clang-format; with --check, changes nothing and fails when a file differs.
# Other versions of clang-format format some lines otherwise.
#   usage: scripts/format.sh [--check]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  clang-format-14 --dry-run --Werror "${files[@]}"
else
  clang-format-14 -i "${files[@]}"
fi
