#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a release without tests into build-package/ and makes the Debian
# package there with CPack: build-package/zerizedozi_<version>_<arch>.deb.
# Install it with: apt install ./build-package/zerizedozi_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-package"
"$root/scripts/setup.sh"
# Debian's hardening flags, as its own packages are built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
BUILD_DIR="$build" "$root/scripts/build.sh" -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DZERIZEDOZI_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
(cd "$build" && cpack -G DEB)
ls "$build"/zerizedozi_*.deb
