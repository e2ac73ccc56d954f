#!/usr/bin/env bash
# The voice recorder on a sound server of its own, as on a desktop: a
# PulseAudio daemon whose default source is a pipe, fed by the test with
# takes made from words spoken by the speech synthesiser, with silence, mains
# hum, hiss and an offset around them; and, for the timing, the monitor of a
# null sink, which runs in real time at whatever latency is asked of it.
#   tests/recorder_server_test.sh <recorder_server_tests> <bundled voice directory>
set -u
tests=$(realpath "$1")
bundled=$(realpath "$2")
here=$(dirname "$0")
source "$here/shell_checks.sh"
source "$here/support/spoken_takes.sh"
for program in espeak-ng sox pulseaudio pactl; do
    command -v "$program" >/dev/null || { echo "FAIL: $program is not installed (tools/setup.sh test installs it)"; exit 1; }
done
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/run/pulse/native"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'stop_sound_server; rm -rf "$work"' EXIT

make_spoken_takes "$work" "0:oh" "1:one" "2:two" "3:three" "4:four" "5:five" "6:six" "7:seven" "8:eight" \
    "9:nine" "10:ten" "11:eleven" "12:twelve" "13:thirteen" "14:fourteen" "15:fifteen" "16:sixteen" \
    "17:seventeen" "18:eighteen" "19:nineteen" "20:twenty" "30:thirty" "40:forty" "50:fifty" "AM:A. M." "PM:P. M."
start_microphone_server "$work" || { echo "FAIL: no PulseAudio server could be started"; exit 1; }

# An idle null sink renders in blocks of seconds until a stream asks for less;
# a device's microphone starts at the latency asked. A listener that asks for
# 10 ms keeps the sink at that pace, so opening is timed as on a device.
parec -d room.monitor --latency-msec=10 >/dev/null &
trap 'kill $! 2>/dev/null; stop_sound_server; rm -rf "$work"' EXIT
RECORDER_INPUTS="$work" RECORDER_FIFO="$work/microphone.fifo" RECORDER_BUNDLED="$bundled" "$tests"
