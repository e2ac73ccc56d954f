#!/usr/bin/env bash
# Counts the instructions of the clock's start, from exec to the window's map
# request and on to its first paint, against the bare QLabel window, under
# callgrind on an X server of its own (Xvfb). Instruction counts hold still on
# a loaded machine, where wall-clock start-up times swing by 10 ms.
#   bash tools/profile-start.sh [BIN_DIR ...]
# Each BIN_DIR holds a built horavox and its voice pack (default: build/bin);
# prints, for each program, the main thread's instructions up to the map
# request and up to the first paint, and those of its other threads (the font
# configuration read ahead, all of it done before the first paint), and keeps
# the profiles (callgrind_annotate reads them) in the directory it names. Each
# clock starts twice: the first start remembers its menu bar's height, which
# the second start maps its window with. Nothing in the program is changed for
# this: callgrind writes a profile when the map request starts and when the
# first paint has reached the window, and the program is then ended.
# Not part of the test suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- "$top/build/bin"
bash "$top/tools/install-packages.sh" valgrind xvfb qt6-base-dev pkg-config g++

out=$(mktemp -d /tmp/profile-start.XXXXXX)
g++ -O2 -fPIC -o "$out/bare_label" "$top/tools/desktop-references/bare_label.cpp" $(pkg-config --cflags --libs Qt6Widgets)
export XDG_RUNTIME_DIR="$out/run" HOME="$out/home"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$out/display")"
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy

# Runs one program under callgrind until its first paint has been dumped.
profile() {  # label, program
  local label=$1 program=$2 pid dumps
  valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$out/$label.%p" \
    --dump-before='QXcbWindow::show()' --dump-after='QBackingStore::flush*' "$program" \
    >"$out/$label.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    dumps=$(ls "$out/$label.$pid".2-01 2>/dev/null || true)
    [ -n "$dumps" ] && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  local to_map to_paint others=0 thread
  to_map=$(sed -n 's/^summary: //p' "$out/$label.$pid.1-01")
  to_paint=$(sed -n 's/^summary: //p' "$out/$label.$pid.2-01")
  # The other threads' whole counts, written as the program ends a moment after its first paint.
  for thread in "$out/$label.$pid"-0[2-9]; do
    [ -e "$thread" ] && others=$((others + $(sed -n 's/^summary: //p' "$thread")))
  done
  printf '%-28s %14s %14s %14s   %s\n' "$label" "$to_map" "$((to_map + to_paint))" "$others" \
    "$out/$label.$pid.1-01"
}

printf '%-28s %14s %14s %14s\n' "instructions" "main, to map" "to first paint" "other threads"
profile QLabel "$out/bare_label"
n=0
for bin in "$@"; do
  n=$((n + 1))
  copy="$out/clock$n"
  cp -r "$bin" "$copy"
  # Silent, and a settings file of its own, so no running clock takes the start over.
  printf '[vocahora]\nNever_Say_Time_Option=1\nSay_Time_Every_Hour_Option=0\n' >"$copy/vocahora.ini"
  profile "clock$n-first-start" "$copy/horavox"
  profile "clock$n" "$copy/horavox"
done
