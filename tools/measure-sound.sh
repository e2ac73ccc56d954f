#!/usr/bin/env bash
# Measures what the user hears, on a sound server of its own: a PulseAudio
# daemon with a null sink, whose monitor is recorded with timestamps.
#   bash tools/measure-sound.sh [--before REF] [RUNS]
# Prints, for the working tree and for REF (default HEAD) side by side, in
# one run: the clock's first sound after a due minute (with the device shut
# by the silence close), horavox-say from exec to first sound against the
# Debian talking clock saytime, and the silence added between words against
# the --wav render. RUNS (default 10) sets the repetitions; the measuring
# takes about five minutes, plus the builds the first time (they are kept in
# build-measure/ and build-measure-before/ and rebuilt incrementally).
# Not part of the test suite: timing targets are checked here, not in tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
before_ref=HEAD
if [ "${1:-}" = --before ]; then
  before_ref=$2
  shift 2
fi
runs=${1:-10}

bash "$top/tools/install-packages.sh" build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev \
  libsdl2-dev pulseaudio pulseaudio-utils saytime faketime python3 git

build_bin() {  # source dir, build dir
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$2" -j2 --target horavox horavox-say >/dev/null
}
build_bin "$top" "$top/build-measure"
before_src="$top/build-measure-before/source"
if [ ! -d "$before_src" ]; then
  git -C "$top" worktree add --detach "$before_src" "$before_ref" >/dev/null 2>&1
else
  git -C "$before_src" checkout -q --detach "$before_ref"
fi
build_bin "$before_src" "$top/build-measure-before/build"

# A sound server of our own: its own runtime directory, so neither a desktop's
# server nor its settings take part, and it goes when the script ends.
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR="$scratch/run" HOME="$scratch/home" PULSE_SERVER="unix:$scratch/run/pulse/native"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
stop_server() {
  pulseaudio --kill 2>/dev/null || true
  rm -rf "$scratch"
}
trap stop_server EXIT
pulseaudio -D --system=false --exit-idle-time=-1 -n --load=module-native-protocol-unix --log-target=file:"$scratch/pulse.log"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl load-module module-null-sink sink_name=measure >/dev/null
pactl set-default-sink measure
unset SDL_AUDIODRIVER

echo "before: $(git -C "$before_src" log --oneline -1)"
echo "after:  the working tree at $(git -C "$top" log --oneline -1)"
python3 "$top/tools/measure_sound.py" "$top/build-measure-before/build/bin" "$top/build-measure/bin" "$runs"
