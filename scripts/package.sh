#!/usr/bin/env bash
# Builds the Debian package in a build folder of its own (default build-package), with
# Debian's hardening flags, and prints the path of the .deb: package.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS=$(dpkg-buildflags --get CFLAGS)
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CFLAGS CXXFLAGS LDFLAGS
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKRODA_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)" >/dev/null
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/kroda_*.deb
