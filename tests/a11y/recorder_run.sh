#!/usr/bin/env bash
# Runs the voice recorder's accessibility check against the real clock on a
# virtual display with its own session bus and accessibility bus, and a sound
# server of its own whose microphone is a pipe the check feeds:
#   tests/a11y/recorder_run.sh <directory of the built clock>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/own_display.sh"
bin=$(cd "$1" && pwd)
source "$here/../support/spoken_takes.sh"

# The clock runs from a copy of its directory, so the settings file it writes
# is this run's own.
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" PULSE_SERVER="unix:$work/runtime/pulse/native"
trap 'stop_sound_server; rm -rf "$work"' EXIT
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$work/clock"
cp -r "$bin/." "$work/clock/"
rm -f "$work/clock/vocahora.ini"
make_spoken_takes "$work" "0:oh" "1:one"
# A pack left half done: every word but the first two, from the bundled voice.
voice="$work/data/horavox/voices/my-voice"
mkdir -p "$voice"
for name in 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 30 40 50 AM PM; do
    cp "$bin/$name.WAV" "$voice/"
done
start_microphone_server "$work"

cat >"$work/inside.sh" <<'INNER'
set -euo pipefail
work=$1 here=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
# No log-on entry of the user's own can interrupt with a question, and the
# pack goes to this run's data directory.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
source "$here/../support/own_display.sh"
start_x_client env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/clock/horavox"
clock=$started
# The clock saves its settings as it ends: wait, so that nothing writes into
# the run's directory while it is removed.
trap 'kill $clock $bus 2>/dev/null; wait $clock 2>/dev/null || true' EXIT
/usr/bin/python3 "$here/voice_recorder.py" "$work" "$work/microphone.fifo" "$work/data/horavox/voices/my-voice" \
    "$work/clock/vocahora.ini"
INNER
run_on_own_display dbus-run-session -- bash "$work/inside.sh" "$work" "$here" 2> >(grep -v -E 'dbus-daemon|SpiRegistry' >&2)
