#!/usr/bin/env bash
# horavox-say on a sound server of its own, as on a desktop: a PulseAudio
# daemon whose sink, in the voice's format, writes what it plays to a pipe.
# What is heard must be the --wav render, sample for sample, with no gap
# between the words; and a server that stops answering, or goes away in the
# middle of an announcement, must not leave horavox-say waiting for ever.
set -u
say=$(realpath "$1")
source "$(dirname "$0")/shell_checks.sh"
source "$(dirname "$0")/support/sound_server.sh"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/run/pulse/native"
unset SDL_AUDIODRIVER
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
recorder=
stop_server() {
    [ -z "$recorder" ] || kill "$recorder" 2>/dev/null
    stop_sound_server
    rm -rf "$work"
}
trap stop_server EXIT

start_listening_server "$work" || { echo "FAIL: no PulseAudio server could be started"; exit 1; }

"$say" 12:12 --clock 12 --seed 7 --wav "$work/render.wav"
"$say" 12:12 --clock 12 --seed 7 2>"$work/err"
expect "spoken without a message" "0:" "$?:$(cat "$work/err")"

# The pipe hands on what the server played a little later: wait for the
# render (at most ten seconds).
found=$(/usr/bin/python3 - "$work/render.wav" "$work/heard.raw" <<'PY'
import sys, time, wave
with wave.open(sys.argv[1]) as render:
    expected = render.readframes(render.getnframes())
deadline = time.monotonic() + 10
while True:
    with open(sys.argv[2], 'rb') as heard:
        position = heard.read().find(expected)
    # Samples are two bytes: a match at an odd offset is a coincidence.
    if (position >= 0 and position % 2 == 0) or time.monotonic() > deadline:
        break
    time.sleep(0.05)
print('yes' if position >= 0 and position % 2 == 0 else 'no')
PY
)
expect "the render heard sample for sample" yes "$found"
kill "$recorder"
recorder=

# A server that has stopped answering: a message, not a program that waits
# with it.
server=$(cat "$XDG_RUNTIME_DIR/pulse/pid")
kill -STOP "$server"
timeout 60 "$say" 12:12 >/dev/null 2>"$work/err"
expect "a stuck server is reported" "1:horavox-say: The sound server does not answer" "$?:$(head -1 "$work/err")"
kill -CONT "$server"

# The server is killed in the middle of a long announcement, once its first
# sample has reached the sink (however slow the run): the run must end on its
# own, well within the time limit.
# Without a server the words fall back to SDL, whose ALSA driver leaves its
# configuration cache allocated when SDL is unloaded; LeakSanitizer, unable
# to name the unloaded library, would report it and take minutes doing so.
: >"$work/heard-last.raw"
cat "$work/heard.fifo" >>"$work/heard-last.raw" &
recorder=$!
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$say" 04:00 --scheme bells >/dev/null 2>"$work/err" &
speaker=$!
# The sink plays exact zeros while nothing sounds, so the first byte that is
# not zero is the announcement's (looked for during at most twenty seconds).
sounding=$(/usr/bin/python3 - "$work/heard-last.raw" <<'PY'
import sys, time
deadline = time.monotonic() + 20
sounding = False
with open(sys.argv[1], 'rb') as heard:
    while not sounding and time.monotonic() < deadline:
        sounding = any(heard.read())
        if not sounding:
            time.sleep(0.05)
print('yes' if sounding else 'no')
PY
)
expect "the announcement reaches the server before the server goes" yes "$sounding"
pulseaudio --kill
for _ in $(seq 300); do kill -0 "$speaker" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$speaker" 2>/dev/null; then
    kill "$speaker"
    expect "horavox-say ends after losing its server" ended "still waiting after 30 s"
fi
# SDL takes over where it finds a device; where it does not, the sound cut
# off is named, as on Windows.
expect "a message, if any, is the sound cut off" "" \
    "$(grep '^horavox-say: ' "$work/err" | grep -v '^horavox-say: The sound stopped playing: the sound device was lost$')"
exit $((failures > 0))
