#!/usr/bin/env bash
# Installs the Debian 12 packages Kroda needs to build, run and test, and nothing when they are there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-multimedia-dev qt6-websockets-dev
  libfluidsynth-dev timgm6mb-soundfont libqrencode-dev
  fonts-thai-tlwg
  libgtest-dev googletest
  xvfb xauth x11-apps imagemagick
  xdotool x11-xserver-utils x11-utils openbox fonts-dejavu-core python3 libx11-dev openssl
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  lintian desktop-file-utils appstream dpkg-dev
  nodejs node-typescript
  chromium chromium-driver python3-selenium zbar-tools
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
