#!/usr/bin/env bash
# One entry for both set-up commands of the README:
#   bash tools/setup.sh run    install what is missing, build, start the clock
#   bash tools/setup.sh test   install what is missing, build, run every test
# HORAVOX_WERROR=ON makes warnings errors in build/ (CI); without it build/ keeps its setting.
# Safe to run again: installs only missing packages and stays quiet when all are there.
set -euo pipefail
mode=${1:-run}
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"

packages=(build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libsdl2-dev libpulse-dev
  libgtest-dev libgmock-dev fonts-liberation2 xvfb xauth)
# The package tests build the .deb (dpkg-shlibdeps needs dpkg-dev and file)
# and validate the desktop entry and the AppStream metainfo.
[ "$mode" = test ] && packages+=(dpkg-dev file appstream desktop-file-utils)
# One test speaks through a PulseAudio server of its own and records it.
[ "$mode" = test ] && packages+=(pulseaudio pulseaudio-utils)
# The voice recorder's test feeds that server's microphone with words from
# the speech synthesiser, with hum and hiss added by sox.
[ "$mode" = test ] && packages+=(espeak-ng sox)
# The accessibility test drives the real window over the accessibility bus.
[ "$mode" = test ] && packages+=(python3-pyatspi at-spi2-core dbus-daemon)
# The fuzz targets need clang and its libFuzzer runtime.
[ "$mode" = test ] && packages+=(clang libclang-rt-14-dev)
# The libraries with a Windows half are cross-built and tested under Wine;
# sox makes the sound files in other formats for the Windows decoder's test.
# The Windows release: the installer is built by NSIS, the programs' icon is
# drawn from the SVG by rsvg-convert and packed by icotool, and the release's
# test unpacks the zip. The clock's test under Wine finds its window with
# xwininfo and clicks its face with xdotool.
[ "$mode" = test ] && packages+=(g++-mingw-w64-x86-64-posix wine64 sox nsis librsvg2-bin icoutils unzip x11-utils xdotool)
bash "$top/tools/install-packages.sh" "${packages[@]}"

# Both commands configure build/ alike, so one after the other rebuilds only
# what changed. Warnings stop the build only when HORAVOX_WERROR=ON asks (CI's
# run does); otherwise the build directory keeps what it has.
werror=()
[ -z "${HORAVOX_WERROR:-}" ] || werror=(-DHORAVOX_WERROR="$HORAVOX_WERROR")
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${werror[@]}" >/dev/null
if [ "$mode" = run ]; then
  cmake --build "$build" -j2 --target horavox horavox-say
else
  cmake --build "$build" -j2
fi

case "$mode" in
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j2
    # The same suite under AddressSanitizer, UndefinedBehaviorSanitizer and
    # LeakSanitizer, then each fuzz target for 30 seconds.
    bash "$top/tools/run-sanitized-tests.sh" "$top/build-asan"
    bash "$top/tools/run-fuzzers.sh" 30 "$top/build-fuzz"
    # The libraries with a Windows half built for Windows, tested under Wine.
    bash "$top/tools/run-windows-tests.sh" "$top/build-mingw"
    ;;
  run)
    exec "$top/tools/run-clock.sh" "$build"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
