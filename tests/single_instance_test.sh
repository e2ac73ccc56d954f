#!/usr/bin/env bash
# One clock per settings file, with real processes: a second start hands its
# request to the running clock, `--say-now` makes that clock speak, and the
# socket a killed clock leaves behind does not block the next one.
# usage: single_instance_test.sh BIN_DIR
set -u
bin=$1
source "$(dirname "$0")/shell_checks.sh"

# A copy of its own, so its settings file (and so its socket) is this test's alone.
mkdir -p "$work/app" "$work/home"
mkdir -m 700 "$work/run"
cp "$bin/horavox" "$bin"/*.WAV "$bin"/*.wav "$work/app/"
printf '[vocahora]\nNever_Say_Time_Option=1\nSay_Time_Every_Hour_Option=0\n' >"$work/app/vocahora.ini"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk
clock="$work/app/horavox"

# Waits up to ten seconds for a condition; the clock does its part in well under one.
eventually() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
socket_present() { compgen -G "$work/run/horavox-*" | grep -qv '\.lock$'; }
# The device may be open and silent (zeros) before anything is said.
sounded() { [ -n "$(tr -d '\0' <"$1" 2>/dev/null | head -c 1)" ]; }

SDL_DISKAUDIOFILE="$work/first.raw" "$clock" &
first=$!
eventually socket_present
expect "the first clock listens" 0 "$?"

timeout 10 "$clock"
expect "a second plain start exits at once" 0 "$?"
kill -0 "$first" 2>/dev/null
expect "the first clock runs on" 0 "$?"
sounded "$work/first.raw"
expect "the quiet first clock has not spoken" 1 "$?"

timeout 10 "$clock" --say-now
expect "--say-now to a running clock exits at once" 0 "$?"
eventually sounded "$work/first.raw"
expect "the running clock speaks" 0 "$?"

kill -KILL "$first"
wait "$first" 2>/dev/null
socket_present
expect "a killed clock leaves its socket" 0 "$?"

SDL_DISKAUDIOFILE="$work/second.raw" "$clock" --say-now &
second=$!
eventually sounded "$work/second.raw"
expect "--say-now with no clock running starts one that speaks" 0 "$?"
timeout 10 "$clock" --say-now
expect "the new clock answers on the socket the killed one left" 0 "$?"

timeout 10 "$clock" --bogus 2>"$work/bogus.err"
expect "an unknown option is refused" 2 "$?"
expect "and named" "horavox: unknown option '--bogus'" "$(head -1 "$work/bogus.err")"

kill -TERM "$second"
wait "$second"
expect "the clock closes on SIGTERM" 0 "$?"

# --close ends the running clock as its close box does (it saves the window's
# place, which this file lacks), and starts none when none runs.
printf '[vocahora]\nNever_Say_Time_Option=1\n' >"$work/app/vocahora.ini"
SDL_DISKAUDIOFILE=/dev/null "$clock" &
third=$!
eventually socket_present
timeout 10 "$clock" --close
expect "--close returns once the clock has gone" "0 no socket" "$? $(socket_present && echo socket || echo no socket)"
wait "$third"
expect "the closed clock ended normally" 0 "$?"
grep -q '^window_left_posn=' "$work/app/vocahora.ini"
expect "the closed clock saved its settings" 0 "$?"
timeout 10 "$clock" --close
expect "--close with no clock running does nothing" "0 no socket" "$? $(socket_present && echo socket || echo no socket)"
exit $((failures > 0))
