#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build and the tests need, only those that
# are missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
  qt6-tools-dev qt6-l10n-tools
  libpugixml-dev libicu-dev libical-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format-14 clang-tidy-14
  fonts-liberation poppler-utils
  xvfb libxcb1-dev libxcb-xtest0-dev
  desktop-file-utils appstream mandoc librsvg2-bin
  dpkg-dev file lintian
  dbus systemd git
  vdirsyncer radicale libsecret-tools python3-icalendar
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
updated=""

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [ -z "$updated" ]; then
    $sudo apt-get update -qq
    updated=yes
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
# The fuzzers and leak checks need the runtime of the clang just installed.
install_missing "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
