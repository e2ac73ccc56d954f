#!/usr/bin/env bash
# Builds the libraries that have a Windows half for Windows with mingw-w64
# and runs their tests under Wine, headless, in a Wine prefix of its own that
# is removed afterwards. Part of the test command; also on its own:
#   bash tools/run-windows-tests.sh [build dir [ctest arguments]]   (default: build-mingw)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-mingw}
[ $# -gt 0 ] && shift

# Unoptimised: the quickest to build, and the tests need no speed.
cmake -S "$top" -B "$build" -G Ninja --toolchain "$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE= \
  -DHORAVOX_WERROR=ON >/dev/null
cmake --build "$build" -j2

wine_server=/usr/lib/wine/wineserver64
WINEPREFIX=$(mktemp -d /tmp/horavox-wine-XXXXXX)
export WINEPREFIX WINEDEBUG=-all
# Without Wine's .NET and HTML engines, which it would offer to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wine_server" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
unset DISPLAY WAYLAND_DISPLAY
started=$(date +%s)
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
echo "Wine prefix made in $(( $(date +%s) - started )) s"

cd "$build"
ctest --output-on-failure "$@"
