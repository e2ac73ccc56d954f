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
