#!/usr/bin/env bash
# Builds the libraries that have a Windows half and horavox.exe for Windows
# with mingw-w64 and runs their tests under Wine, on an Xvfb display and in a
# Wine prefix of their own, both removed afterwards. Part of the test
# command; also on its own:
#   bash tools/run-windows-tests.sh [build dir [ctest arguments]]   (default: build-mingw)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-mingw}
[ $# -gt 0 ] && shift

# Unoptimised: the quickest to build, and the tests need no speed.
cmake -S "$top" -B "$build" -G Ninja --toolchain "$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE= \
  -DHORAVOX_WERROR=ON >/dev/null
# The release packages too: the installer's test installs them.
cmake --build "$build" -j2 --target all package

wine_server=/usr/lib/wine/wineserver64
WINEPREFIX=$(mktemp -d /tmp/horavox-wine-XXXXXX)
export WINEPREFIX WINEDEBUG=-all
# Without Wine's .NET and HTML engines, which it would offer to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The windows' tests need a display: an Xvfb of this run's own, started
# before Wine so that Wine's desktop lives on it.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap '"$wine_server" -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$WINEPREFIX" "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$display_file")
started=$(date +%s)
# Wine's loader makes a new prefix itself (wineboot --init) before the first
# program runs; wineboot -i as that program did it again and left two service
# managers running, and then now and then Wine's desktop process waited 10 s
# on starting the RpcSs service, holding up a first waveOutOpen.
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1
echo "Wine prefix made in $(( $(date +%s) - started )) s"

cd "$build"
ctest --output-on-failure "$@"
