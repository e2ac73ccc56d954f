# Sourced by the tests that run a PulseAudio server of their own, with
# PULSE_SERVER and XDG_RUNTIME_DIR set by the caller to the test's directory.

# Starts the server, logging into FILE, and returns once it answers.
#   start_sound_server FILE
start_sound_server() {
    pulseaudio -D --system=false --exit-idle-time=-1 -n --load=module-native-protocol-unix \
        --log-target=file:"$1" || return 1
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && return 0; sleep 0.05; done
    return 1
}

# Stops the server and waits until it has gone: it writes into the test's
# directory until it ends, so removing that directory at once can fail.
stop_sound_server() {
    pulseaudio --kill 2>/dev/null || return 0
    for _ in $(seq 100); do pulseaudio --check 2>/dev/null || return 0; sleep 0.05; done
}

# Starts the server with one sink, "heard", in the voice's format (22050 Hz
# mono 16-bit), which writes every sample it plays, in real time, into a
# pipe; DIR/heard.raw records it as it comes. Sets `recorder` to the
# recording's process.
#   start_listening_server DIR
start_listening_server() {
    start_sound_server "$1/pulse.log" || return 1
    pactl load-module module-pipe-sink sink_name=heard file="$1/heard.fifo" rate=22050 channels=1 format=s16le \
        use_system_clock_for_timing=yes >/dev/null && pactl set-default-sink heard || return 1
    cat "$1/heard.fifo" >"$1/heard.raw" &
    recorder=$!
}
