#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need, only those missing.
# With --bench, also those only the benchmarks use (the speech recogniser of the voice figures).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev libpulse-dev qt6-multimedia-dev qt6-qpa-plugins libqt6svg6
  libxcb1-dev libicu-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  libflite1 flite1-dev flite espeak-ng libespeak-ng-dev libsamplerate0-dev
  festival-dev festvox-us-slt-hts librubberband-dev
  libpocketsphinx-dev pocketsphinx-en-us pocketsphinx sphinxtrain libsndfile1-dev sox
  libsqlite3-dev
  fonts-arphic-uming fonts-arphic-ukai fonts-liberation
  xvfb xdotool x11-utils x11-xserver-utils imagemagick openbox wmctrl qt6-wayland
  pulseaudio pulseaudio-utils strace sqlite3
  help2man librsvg2-bin dpkg-dev desktop-file-utils appstream lintian
)
[ "${1:-}" = --bench ] && packages+=(pocketsphinx pocketsphinx-en-us)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
