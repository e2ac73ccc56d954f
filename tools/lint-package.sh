#!/usr/bin/env bash
# Builds the Debian package and runs lintian on it. Not part of the test run:
# lintian is large, and its verdict is read by a person.
#   bash tools/lint-package.sh [build directory, default build/]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
bash "$top/tools/install-packages.sh" build-essential cmake ninja-build pkg-config \
  qt6-base-dev libgl-dev libsdl2-dev libgtest-dev libgmock-dev dpkg-dev file lintian
[ -f "$build/CMakeCache.txt" ] || cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target horavox horavox-say compressed_docs >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/horavox_*.deb)
echo "$deb"
lintian --info --display-info --pedantic "$deb"
