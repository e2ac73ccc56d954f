#!/usr/bin/env bash
# horavox-say.exe on the wave device under Wine, whose PulseAudio driver
# (winepulse.drv) plays to a server of the test's own: a pipe sink in the
# voice's format, so Wine passes the stream through unchanged and what is
# heard can be held against the word files sample for sample, as the --wav
# render joins them. Then a broken word, a server stopped before the program
# starts and while it plays, and a killed one.
#   say_sound_server_test.sh WINE WINDOWS_SAY
set -u
wine=$1 say=$2
source "$(dirname "$0")/../shell_checks.sh"
source "$(dirname "$0")/../support/sound_server.sh"
# The server's cookie is in this home; Wine's prefix is named apart.
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/run/pulse/native"
# Wine's driver keeps about one period (10 ms) at the server, and on a busy
# machine its thread is late now and then: 5 ms of silence, the driver's,
# whatever the program queues above it (four runs in four had one at a load
# of 18 on two cores). Asked to keep 60 ms there, it had none in four; the
# Linux client asks 20 ms itself.
export PULSE_LATENCY_MSEC=60
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
recorder=
server=
stop_server() {
    [ -z "$recorder" ] || kill "$recorder" 2>/dev/null
    [ -z "$server" ] || kill -CONT "$server" 2>/dev/null
    stop_sound_server
    rm -rf "$work"
}
trap stop_server EXIT

start_listening_server "$work" || { echo "FAIL: no PulseAudio server could be started"; exit 1; }
server=$(cat "$XDG_RUNTIME_DIR/pulse/pid")

# Waits (at most three seconds) until the word files named after the first
# argument are all heard, in order, after the first argument's count of
# bytes of the recording, each at its offset in the render (the files one
# after the other) within 1 ms; prints "yes" or what was heard instead.
heard_in_order() {
    /usr/bin/python3 "$(dirname "$0")/../support/heard_in_order.py" "$work/heard.raw" "$1" 3 "${@:2}"
}

# The word files of an announcement, by horavox-say.exe --print.
word_files() {  # directory, arguments
    local directory=$1
    shift
    "$wine" "$say" "$@" --print | tr -d '\r' | sed "s|^|$directory/|"
}

recorded() { stat -c %s "$work/heard.raw"; }

# Speaks, and checks that the words `words` were heard; sets `status` and
# `heard`. Further tries only if one was not heard whole: at a load of
# 18 one run in four still had a gap, where a fault of the output's own
# would show in every one.
speak() {  # horavox-say.exe's arguments
    for _ in 1 2 3; do
        local before
        before=$(recorded)
        "$wine" "$say" "$@" >/dev/null 2>"$work/err"
        status=$?
        heard=$(heard_in_order "$before" "${words[@]}")
        [ "$heard" = yes ] && break
    done
}

voice=$(dirname "$say")
mapfile -t words < <(word_files "$voice" 12:12 --clock 12 --seed 7)
speak 12:12 --clock 12 --seed 7
expect "12:12 spoken without a message" "0:" "$status:$(tr -d '\r' <"$work/err")"
expect "every word heard at its offset in the render" yes "$heard"

# A broken word: the others still play, the message names the file.
mkdir -p "$work/voice"
cp "$voice"/*.WAV "$work/voice/"
head -c 40 "$voice/PM.WAV" >"$work/voice/PM.WAV"
words=("$voice/12.WAV" "$voice/12.WAV")
speak 12:12 --clock 12 --prefix-suffix none --sound-dir "Z:$work/voice"
expect "a broken word ends with failure" 1 "$status"
grep -q 'PM.WAV' "$work/err"
expect "the message names the broken file" 0 "$?"
expect "the other words heard" yes "$heard"
kill "$recorder"
recorder=

# A server that has stopped answering: a message, not a program that waits
# with it.
kill -STOP "$server"
started=$(date +%s)
timeout 60 "$wine" "$say" 12:12 >/dev/null 2>"$work/err"
status=$?
kill -CONT "$server"
expect "a stopped server is reported" "1:horavox-say: The sound device does not answer" \
    "$status:$(tr -d '\r' <"$work/err" | head -1)"
expect "and the run ends within 15 s" yes "$([ $(($(date +%s) - started)) -le 15 ] && echo yes)"

# The server stops while a word plays: Wine's driver is then left waiting
# inside a call to it, which the program's end must survive (a crash there
# was exit 139).
cat "$work/heard.fifo" >"$work/stopped.raw" &
recorder=$!
"$wine" "$say" 12:12 >/dev/null 2>"$work/err" &
speaker=$!
for _ in $(seq 200); do
    tr -d '\0' <"$work/stopped.raw" | head -c 1 | grep -q . && break
    sleep 0.05
done
kill -STOP "$server"
started=$(date +%s)
for _ in $(seq 150); do kill -0 "$speaker" 2>/dev/null || break; sleep 0.1; done
kill "$speaker" 2>/dev/null
wait "$speaker"
status=$?
kill -CONT "$server"
# What the server still held of the word reaches the recording before the
# next row listens for its first sound.
for _ in $(seq 100); do
    [ -z "$(pactl list short sink-inputs)" ] && [ -z "$(tail -c 4410 "$work/stopped.raw" | tr -d '\0')" ] && break
    sleep 0.05
done
kill "$recorder"
expect "a server stopped while a word plays is reported" \
    "1:horavox-say: The sound stopped playing: the sound device was lost" "$status:$(tr -d '\r' <"$work/err" | head -1)"
expect "and that run ends within 15 s" yes "$([ $(($(date +%s) - started)) -le 15 ] && echo yes)"

# The server is killed as the bells sound: the run ends on its own, well
# within the time limit, with a message naming the sound cut off rather than
# the system's text for the failed reopening.
cat "$work/heard.fifo" >"$work/bells.raw" &
recorder=$!
"$wine" "$say" 04:00 --scheme bells >/dev/null 2>"$work/err" &
speaker=$!
for _ in $(seq 200); do
    [ -s "$work/bells.raw" ] && tr -d '\0' <"$work/bells.raw" | head -c 1 | grep -q . && break
    sleep 0.05
done
kill -KILL "$server"
for _ in $(seq 300); do kill -0 "$speaker" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$speaker" 2>/dev/null; then
    kill "$speaker"
    expect "horavox-say.exe ends after losing its server" ended "still waiting after 30 s"
fi
wait "$speaker"
status=$?
mapfile -t message < <(tr -d '\r' <"$work/err")
cut_off=${message[1]:-}
expect "a lost server ends with a message" "1:horavox-say: The sound stopped playing: the sound device was lost" \
    "$status:${message[0]:-}"
expect "which names the sound cut off" yes \
    "$("$wine" "$say" 04:00 --scheme bells --print | tr -d '\r' | grep -qxF "${cut_off##*\\}" && echo yes)"
exit $((failures > 0))
