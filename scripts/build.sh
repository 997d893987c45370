#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds the whole project into build/ (or $BUILD_DIR); extra
# arguments go to CMake. The configure output is kept in configure.log there
# and shown when configuring fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
mkdir -p "$build"
if ! cmake -S "$root" -B "$build" "$@" >"$build/configure.log" 2>&1; then
  cat "$build/configure.log" >&2
  exit 1
fi
cmake --build "$build" -j"$(nproc)"
