#!/usr/bin/env bash
# Shows whether the clock's first painted frame is its final layout:
#   bash tools/first-paint.sh [BIN_DIR] [OUT_DIR]   (default: build/bin, /tmp/first-paint)
# Starts the clock twice on an X server of its own (Xvfb, no window manager),
# silent and with a settings file and cache directory of its own: the first
# start measures its menu bar before the window is mapped and remembers the
# height, the second maps the window with it first. For each start it prints
# when the window was mapped, every later change of its size, and when its
# contents changed, and saves each new picture as OUT_DIR/start-N-M.png; the
# first picture after the blank one is the first paint.
# Not part of the test suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$top/build/bin}" && pwd)
out=$(realpath -m "${2:-/tmp/first-paint}")
bash "$top/tools/install-packages.sh" xvfb python3-xlib imagemagick
mkdir -p "$out"
work=$(mktemp -d)
xvfb_pid=
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$bin" "$work/clock"
printf '[vocahora]\nNever_Say_Time_Option=1\nSay_Time_Every_Hour_Option=0\n' >"$work/clock/vocahora.ini"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CACHE_HOME="$work/cache" SDL_AUDIODRIVER=dummy
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
for start in 1 2; do
  echo "start $start, menu bar height remembered: $(cut -f2 "$XDG_CACHE_HOME/horavox/menu-bar" 2>/dev/null || echo none)"
  /usr/bin/python3 "$top/tools/first_paint.py" "$work/start-$start" 2.5 "$work/clock/horavox"
  for picture in "$work/start-$start"-*.ppm; do
    convert "$picture" "$out/$(basename "${picture%.ppm}").png"
  done
done
echo "pictures in $out"
