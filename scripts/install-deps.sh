#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Ventoral needs to build, test and run.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev libgl-dev
  qt6-webengine-dev   # the map and site viewers' web page view
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core fonts-dejavu-extra tzdata
  xdotool         # the exit test presses the program's keys on an Xvfb display
  clang-14 libclang-rt-14-dev
  poppler-utils   # pdftoppm: the printing tests render the printed PDF back to an image
  dbus-daemon     # the notification and accessibility tests run their own D-Bus session
  at-spi2-core python3-pyatspi   # the accessibility test reads the AT-SPI tree as a screen reader does
  dpkg-dev file   # dpkg-shlibdeps and file: `make package` reads the libraries the programs need
  lintian         # `make package` checks the package with Debian's own checker
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! fc-list 2>/dev/null | grep -qi dejavu; then
  echo "warning: no DejaVu font found; text in windows may render as boxes" >&2
fi
