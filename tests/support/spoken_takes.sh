# Sourced by the voice recorder's tests: takes of synthesised words in a
# room, and a sound server whose microphone is a pipe the test feeds.
source "$(dirname "${BASH_SOURCE[0]}")/sound_server.sh"

# Writes into DIR: room.raw (0.6 s of the room alone), clean/<name>.wav (each
# word as the synthesiser said it), takes/<name>.raw (the word in the room,
# 0.35 s after the take's start, 0.9 s before its end) and gains.txt (the
# loudness each word was said at, in dB). All mono 16-bit 22050 Hz; the raw
# files little-endian without a header, as the pipe wants them.
#   make_spoken_takes DIR "0:oh" "1:one" ...
make_spoken_takes() {
    local dir=$1 rate=22050 i=0 entry name gain seconds
    shift
    local format=(-r $rate -c 1 -e signed-integer -b 16)
    # Spoken at three loudnesses, so the levelling has work to do.
    local gains=(0 -7 -13)
    mkdir -p "$dir/clean" "$dir/takes"
    : >"$dir/gains.txt"
    # The room: mains hum at -53 dBFS, hiss at -60 dBFS and an offset.
    room() { # seconds, output
        sox -R -m -v 1 <(sox -R -n "${format[@]}" -t wav - synth "$1" sine 50 vol 0.003) \
            -v 1 <(sox -R -n "${format[@]}" -t wav - synth "$1" whitenoise vol 0.0018) \
            "${format[@]}" -t wav - 2>/dev/null | sox -R -t wav - "${format[@]}" "$2" dcshift 0.02
    }
    room 0.6 "$dir/room.raw"
    for entry in "$@"; do
        name=${entry%%:*}
        espeak-ng -v en-us -w "$dir/said.wav" "${entry#*:}"
        sox -R "$dir/said.wav" "${format[@]}" "$dir/clean/$name.wav"
        gain=${gains[$((i % 3))]}
        echo "$name $gain" >>"$dir/gains.txt"
        sox -R "$dir/clean/$name.wav" "${format[@]}" "$dir/word.wav" gain "$gain" pad 0.35 0.9
        seconds=$(soxi -D "$dir/word.wav")
        room "$seconds" "$dir/bed.raw"
        sox -R -m -v 1 "$dir/word.wav" -v 1 -t raw "${format[@]}" "$dir/bed.raw" -t raw "$dir/takes/$name.raw"
        i=$((i + 1))
    done
    rm -f "$dir/said.wav" "$dir/word.wav" "$dir/bed.raw"
}

# Starts a PulseAudio server of the test's own (PULSE_SERVER and
# XDG_RUNTIME_DIR set by the caller) whose default source, "microphone",
# reads the pipe DIR/microphone.fifo, and whose default sink, "room", plays
# into nothing in real time.
start_microphone_server() {
    local dir=$1
    start_sound_server "$dir/pulse.log" || return 1
    pactl load-module module-pipe-source source_name=microphone file="$dir/microphone.fifo" rate=22050 channels=1 \
        format=s16le >/dev/null && pactl set-default-source microphone &&
        pactl load-module module-null-sink sink_name=room rate=22050 channels=1 >/dev/null &&
        pactl set-default-sink room
}
