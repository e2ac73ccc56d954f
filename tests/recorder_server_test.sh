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
source "$(dirname "$0")/shell_checks.sh"
for program in espeak-ng sox pulseaudio pactl; do
    command -v "$program" >/dev/null || { echo "FAIL: $program is not installed (tools/setup.sh test installs it)"; exit 1; }
done
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/run/pulse/native"
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$work/clean" "$work/takes"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'pulseaudio --kill 2>/dev/null; rm -rf "$work"' EXIT

rate=22050
format=(-r $rate -c 1 -e signed-integer -b 16)
# The room: mains hum at -53 dBFS, hiss at -60 dBFS and an offset, the same
# before the first word and around every take.
room() { # seconds, output
    sox -R -m -v 1 <(sox -R -n "${format[@]}" -t wav - synth "$1" sine 50 vol 0.003) \
        -v 1 <(sox -R -n "${format[@]}" -t wav - synth "$1" whitenoise vol 0.0018) \
        "${format[@]}" -t wav - | sox -R -t wav - "${format[@]}" "$2" dcshift 0.02
}
room 0.6 "$work/room.raw"
words=("0:oh" "1:one" "2:two" "3:three" "4:four" "5:five" "6:six" "7:seven" "8:eight" "9:nine" "10:ten"
       "11:eleven" "12:twelve" "13:thirteen" "14:fourteen" "15:fifteen" "16:sixteen" "17:seventeen"
       "18:eighteen" "19:nineteen" "20:twenty" "30:thirty" "40:forty" "50:fifty" "AM:A. M." "PM:P. M.")
# Spoken at three loudnesses, so the levelling has work to do.
gains=(0 -7 -13)
i=0
for entry in "${words[@]}"; do
    name=${entry%%:*}
    espeak-ng -v en-us -w "$work/said.wav" "${entry#*:}"
    sox -R "$work/said.wav" "${format[@]}" "$work/clean/$name.wav"
    gain=${gains[$((i % 3))]}
    echo "$name $gain" >>"$work/gains.txt"
    sox -R "$work/clean/$name.wav" "${format[@]}" "$work/word.wav" gain "$gain" pad 0.35 0.9
    seconds=$(soxi -D "$work/word.wav")
    room "$seconds" "$work/bed.raw"
    sox -R -m -v 1 "$work/word.wav" -v 1 -t raw "${format[@]}" "$work/bed.raw" -t raw "$work/takes/$name.raw"
    i=$((i + 1))
done

pulseaudio -D --system=false --exit-idle-time=-1 -n --load=module-native-protocol-unix \
    --log-target=file:"$work/pulse.log" || { echo "FAIL: no PulseAudio server could be started"; exit 1; }
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl load-module module-pipe-source source_name=microphone file="$work/microphone.fifo" rate=$rate channels=1 \
    format=s16le >/dev/null && pactl set-default-source microphone &&
    pactl load-module module-null-sink sink_name=room rate=$rate channels=1 >/dev/null ||
    { echo "FAIL: the sources could not be made"; exit 1; }

# An idle null sink renders in blocks of seconds until a stream asks for less;
# a device's microphone starts at the latency asked. A listener that asks for
# 10 ms keeps the sink at that pace, so opening is timed as on a device.
parec -d room.monitor --latency-msec=10 >/dev/null &
trap 'kill $! 2>/dev/null; pulseaudio --kill 2>/dev/null; rm -rf "$work"' EXIT
RECORDER_INPUTS="$work" RECORDER_FIFO="$work/microphone.fifo" RECORDER_BUNDLED="$bundled" "$tests"
