#!/usr/bin/env bash
# Measures what the user hears, on a sound server of its own: a PulseAudio
# daemon with a null sink, whose monitor is recorded with timestamps; and what
# the user sees, on an X server of its own (Xvfb) watched by an X11 client.
#   bash tools/measure-sound.sh [--before REF] [--only sound|desktop|wine] [RUNS]
# Prints, for the working tree and for REF (default HEAD) side by side, in
# one run: the clock's first sound after a due minute (with the device shut
# by the silence close), horavox-say from exec to first sound against the
# Debian talking clock saytime, and the silence added between words against
# the --wav render, and horavox-say.exe under Wine on the same server (with
# the time Wine takes to start and end it without sound, for scale) and
# horavox.exe's first sound after each of a few real minutes; then how
# long after each whole second the clock's window
# title changes (and the seconds skipped or doubled) against a window that
# sets its title on the second, start-up from exec to mapped window and idle
# resident memory against a bare Qt QLabel window, with ratios; and, under
# Wine, horavox.exe's title against a bare Win32 window that sets its title
# on the second, its start-up (with Wine's desktop process running, and with
# it starting for each program) and its idle CPU against the same window
# (--only wine runs this part alone, with horavox.exe's first sounds). RUNS sets the
# repetitions (default 10 for the sound, and 15 interleaved start-up rounds
# after a warm-up, with each side's median and spread, for the desktop); the
# measuring takes about seven minutes, plus the builds the first time (they
# are kept in build-measure/ and build-measure-before/ and rebuilt
# incrementally).
# Not part of the test suite: timing targets are checked here, not in tests.
# The sound figures have `paplay` of the same first word beside them, the
# floor: the sound server's own player.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
before_ref=HEAD
only=
while [ $# -gt 0 ]; do
  case $1 in
    --before) before_ref=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    *) break ;;
  esac
done
runs=${1:-10}

bash "$top/tools/install-packages.sh" build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev \
  libsdl2-dev pulseaudio pulseaudio-utils saytime faketime python3 git xvfb libx11-dev python3-xlib \
  g++-mingw-w64-x86-64-posix wine64

build_bin() {  # source dir, build dir
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$2" -j2 --target horavox horavox-say >/dev/null
}
build_bin "$top" "$top/build-measure"
# horavox-say.exe of the working tree, optimised as the Linux builds are.
cmake -S "$top" -B "$top/build-measure-mingw" -G Ninja --toolchain "$top/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build-measure-mingw" -j2 --target horavox-say horavox >/dev/null
before_src="$top/build-measure-before/source"
# Named in the tree under measurement: in the kept worktree, HEAD would be the
# commit of the previous run.
before_commit=$(git -C "$top" rev-parse --verify "$before_ref^{commit}")
if [ ! -d "$before_src" ]; then
  git -C "$top" worktree add --detach "$before_src" "$before_commit" >/dev/null 2>&1
else
  git -C "$before_src" checkout -q --detach "$before_commit"
fi
build_bin "$before_src" "$top/build-measure-before/build"
# The floors the desktop figures are held against; one build serves both sides.
refs="$top/build-measure/desktop-references"
mkdir -p "$refs"
cc -O2 -o "$refs/title_on_the_second" "$top/tools/desktop-references/title_on_the_second.c" -lX11
g++ -O2 -fPIC -o "$refs/bare_label" "$top/tools/desktop-references/bare_label.cpp" \
  $(pkg-config --cflags --libs Qt6Widgets)
x86_64-w64-mingw32-gcc -O2 -municode -mwindows -o "$refs/title_on_the_second.exe" \
  "$top/tools/desktop-references/title_on_the_second_win32.c"

# A sound server of our own: its own runtime directory, so neither a desktop's
# server nor its settings take part, and it goes when the script ends.
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR="$scratch/run" HOME="$scratch/home" PULSE_SERVER="unix:$scratch/run/pulse/native"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
xvfb_pid=
keeper_pid=
stop_server() {
  [ -z "${WINEPREFIX:-}" ] || /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  pulseaudio --kill 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  [ -z "$keeper_pid" ] || kill "$keeper_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap stop_server EXIT
pulseaudio -D --system=false --exit-idle-time=-1 -n --load=module-native-protocol-unix --log-target=file:"$scratch/pulse.log"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl load-module module-null-sink sink_name=measure >/dev/null
pactl set-default-sink measure
# A silent stream keeps the sink rendering in blocks of a few milliseconds, as
# a desktop's sink that is playing. An idle null sink renders blocks of up to
# two seconds and its monitor drops the first one after it wakes, which moves
# every figure by an amount that depends on when the run started.
pacat --latency-msec=10 </dev/zero 2>/dev/null &
keeper_pid=$!
unset SDL_AUDIODRIVER

# An X server of our own on a free display number; no window manager, so a
# window is mapped the moment its program asks. horavox.exe needs it for its
# sound figures too.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"

echo "before: $(git -C "$before_src" log --oneline -1)"
echo "after:  the working tree at $(git -C "$top" log --oneline -1)"
if [ "$only" != desktop ] && [ "$only" != wine ]; then
  # A Wine prefix of its own, its server kept running between the runs, as
  # a desktop session keeps it; Wine's winepulse.drv plays to our server.
  export WINEPREFIX="$scratch/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The persistent server first: Wine's first program would start one of its
  # own, and a second for the same prefix refuses to start.
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver64 -p
  # Wine's loader makes a new prefix itself (wineboot --init) before the first
  # program runs; wineboot -i as that program did it again and left two service
  # managers running, and then now and then Wine's desktop process waited 10 s
  # on starting the RpcSs service, holding up a first waveOutOpen.
  (unset DISPLAY WAYLAND_DISPLAY; /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1)
  export MEASURE_WINE=/usr/lib/wine/wine64 MEASURE_WINDOWS_SAY="$top/build-measure-mingw/bin/horavox-say.exe" \
    MEASURE_WINDOWS_CLOCK="$top/build-measure-mingw/bin/horavox.exe"
  python3 "$top/tools/measure_sound.py" "$top/build-measure-before/build/bin" "$top/build-measure/bin" "$runs"
fi
if [ "$only" = wine ]; then
  # horavox.exe's first sound after a due minute alone, from a prefix of its own.
  export WINEPREFIX="$scratch/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver64 -p
  /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1  # the prefix made once, as above
  MEASURE_WINE=/usr/lib/wine/wine64 MEASURE_WINDOWS_CLOCK="$top/build-measure-mingw/bin/horavox.exe" \
    python3 "$top/tools/measure_sound.py" --windows-clock "$(( runs / 4 > 2 ? runs / 4 : 2 ))"
  /usr/lib/wine/wineserver64 -k
fi
if [ "$only" != sound ]; then
  # The Debian interpreter, which has python3-xlib, whatever python3 is first on PATH.
  if [ "$only" != wine ]; then
    /usr/bin/python3 "$top/tools/measure_desktop.py" "$top/build-measure-before/build/bin" "$top/build-measure/bin" \
      "$refs" ${1:-15}
  fi
  # Wine's windows on the same display, from a prefix made with it; the
  # server kept running, as a desktop session keeps it.
  export WINEPREFIX="$scratch/wine-desktop" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver64 -p
  /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1  # the prefix made once, as above
  # Stripped, as the release packages ship it: Wine reads the whole image
  # before the program starts, debugging sections and all.
  x86_64-w64-mingw32-strip -o "$scratch/horavox.exe" "$top/build-measure-mingw/bin/horavox.exe"
  /usr/bin/python3 "$top/tools/measure_wine_desktop.py" /usr/lib/wine/wine64 \
    "$scratch/horavox.exe" "$refs/title_on_the_second.exe" ${1:-10}
fi
