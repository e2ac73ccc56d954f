#!/usr/bin/env bash
# horavox.exe speaking under Wine, whose PulseAudio driver (winepulse.drv)
# plays to a server of the test's own: a pipe sink in the voice's format, so
# what is heard can be held against the word files sample for sample. A
# click on the face (a real mouse click, through the display), then
# `horavox.exe --say-now` handed to the running clock, then `--say-now` with
# no clock running, which starts one that speaks at its first tick.
#   clock_sound_server_test.sh WINE CLOCK SAY      (needs DISPLAY)
set -u
wine=$1 clock=$2 say=$3
source "$(dirname "$0")/../shell_checks.sh"
source "$(dirname "$0")/../support/sound_server.sh"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" PULSE_SERVER="unix:$work/run/pulse/native"
# As for horavox-say.exe: Wine's driver keeps about one period at the server,
# now and then late on a busy machine; asked to keep 60 ms there, it has no gaps.
export PULSE_LATENCY_MSEC=60
mkdir -p "$XDG_RUNTIME_DIR" "$HOME" "$work/clock"
chmod 700 "$XDG_RUNTIME_DIR"
recorder=
stop_all() {
    [ -z "$recorder" ] || kill "$recorder" 2>/dev/null
    stop_sound_server
    rm -rf "$work"
}
trap stop_all EXIT

start_listening_server "$work" || { echo "FAIL: no PulseAudio server could be started"; exit 1; }

# The clock and horavox-say.exe side by side, so both read one settings
# file, which names a sound directory with letters beyond ASCII and a blank:
# UTF-8 is the programs' code page, as it is the file's.
voice="$work/clock/voix d'été"
mkdir -p "$voice"
cp "$clock" "$say" "$work/clock/"
cp "$(dirname "$clock")"/*.WAV "$(dirname "$clock")"/*.wav "$voice/" 2>/dev/null
printf '[vocahora]\r\nSound_Directory_Edit=Z:%s\\\r\n' "${voice//\//\\}" >"$work/clock/vocahora.ini"
say_copy="$work/clock/$(basename "$say")"
clock_copy="$work/clock/$(basename "$clock")"

recorded() { stat -c %s "$work/heard.raw"; }

# Waits (at most five seconds) until the word files of the time `hh:mm`
# (horavox-say.exe --print, with the clock's settings) are heard in order
# after `bytes` of the recording, each at its offset in the render within
# 1 ms; prints "yes" or what was heard instead.
heard_time() {  # bytes, hh:mm
    local words
    mapfile -t words < <("$wine" "$say_copy" "$2" --print | tr -d '\r' | sed "s|^|$voice/|")
    /usr/bin/python3 "$(dirname "$0")/../support/heard_in_order.py" "$work/heard.raw" "$1" 5 "${words[@]}"
}

clock_window() { xwininfo -root -tree | awk '/"Horavox [0-9]/ && /horavox.exe/ {print $(NF-1) "," $NF; exit}'; }

wait_for_clock() {
    for _ in $(seq 150); do [ -n "$(clock_window)" ] && return 0; sleep 0.1; done
    return 1
}

# Speaks by `action` in a minute that does not turn meanwhile, and checks
# that the time's words were heard; sets `heard`. Up to three tries, as a
# busy machine's driver may leave a gap.
speak() {  # action...
    for _ in 1 2 3; do
        while [ "$(date +%S)" -ge 55 ]; do sleep 0.5; done
        local before minute
        before=$(recorded)
        minute=$(date +%H:%M)
        "$@"
        heard=$(heard_time "$before" "$minute")
        [ "$heard" = yes ] && return
        sleep 2
    done
}

click_face() {
    local geometry size x y
    geometry=$(clock_window)
    size=${geometry%%+*}
    x=$(( $(echo "$geometry" | awk -F'[x+,]' '{print $6}') + ${size%x*} / 2 ))
    y=$(( $(echo "$geometry" | awk -F'[x+,]' '{print $7}') + ${size#*x} * 3 / 4 ))
    xdotool mousemove "$x" "$y" click 1
}

(cd "$work/clock" && "$wine" "$clock_copy" >/dev/null 2>&1) &
wait_for_clock
expect "the clock shows its window" 0 "$?"
sleep 2
speak click_face
expect "a click on the face: every word heard at its offset in the render" yes "$heard"

speak "$wine" "$clock_copy" --say-now
expect "--say-now through the running clock: every word heard" yes "$heard"
expect "and only one clock runs" 1 "$(xwininfo -root -tree | grep -c '"Horavox [0-9].*horavox.exe')"

# Closed as the close box does (Wine's taskkill asks the window to close).
close_clock() {
    "$wine" taskkill /IM "$(basename "$clock")" >/dev/null 2>&1
    for _ in $(seq 100); do [ -z "$(clock_window)" ] && return 0; sleep 0.1; done
    return 1
}
close_clock
expect "the clock closes" 0 "$?"
expect "the settings file keeps the sound directory as it was" 1 \
    "$(grep -c "^Sound_Directory_Edit=Z:.*voix d'été" "$work/clock/vocahora.ini")"

start_saying() {
    (cd "$work/clock" && "$wine" "$clock_copy" --say-now >/dev/null 2>&1) &
    wait_for_clock
}
speak start_saying
expect "--say-now with no clock running starts one that speaks" yes "$heard"
close_clock
exit $((failures > 0))
