#!/usr/bin/env bash
# Builds and runs every benchmark and prints their tables:
#   bash tools/run-benchmarks.sh [build dir]
# Takes about four minutes (the tick benchmark watches the real timer for
# 120 s, the idle benchmark two windows for 60 s each). Without a display the
# window benchmarks run on a virtual one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

# Qt wants a private runtime directory; a root shell or a bare container has none.
[ -n "${XDG_RUNTIME_DIR:-}" ] || export XDG_RUNTIME_DIR="$(mktemp -d)"
display=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=(xvfb-run -a -s "-screen 0 1024x768x24")
fi

echo "== Speech: first sound and gaps between words (SDL ${SDL_AUDIODRIVER:=disk} driver)"
SDL_AUDIODRIVER=$SDL_AUDIODRIVER "$build/bench/speech_latency_bench"
echo
echo "== A 50 MB sound file: loading, first sound, memory (SDL $SDL_AUDIODRIVER driver)"
SDL_AUDIODRIVER=$SDL_AUDIODRIVER "$build/bench/long_file_bench"
echo
echo "== Start-up: process start to the first painted face"
"${display[@]}" "$build/bench/startup_bench"
echo
echo "== Idle cost: window open, no announcement"
"${display[@]}" "$build/bench/idle_cost_bench"
echo
echo "== Text helpers and settings file on inputs far beyond real use"
"$build/bench/text_and_settings_bench"
echo
echo "== Tick accuracy: the real timer against the second boundary"
"${display[@]}" "$build/bench/tick_accuracy_bench"
