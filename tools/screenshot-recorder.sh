#!/usr/bin/env bash
# Takes pictures of the voice recorder on a virtual display, with a sound
# server whose microphone is a pipe fed with words from the speech
# synthesiser (as the recorder's tests feed it):
#   tools/screenshot-recorder.sh [build dir] [docs dir]   (default: build, docs)
# It saves voice-recorder-recording.png (in the middle of a word, the meter
# up) and voice-recorder-finished.png (every word recorded, the voice check
# passed). The clock runs from a copy of the program directory and records
# into a directory of its own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
docs=$(realpath -m "${2:-$top/docs}")
mkdir -p "$docs"
bash "$top/tools/install-packages.sh" xvfb xauth x11-utils imagemagick xdotool pulseaudio pulseaudio-utils espeak-ng sox
source "$top/tests/support/spoken_takes.sh"

work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" PULSE_SERVER="unix:$work/runtime/pulse/native"
trap 'stop_sound_server; rm -rf "$work"' EXIT
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
mkdir -p "$HOME" "$work/clock"
cp -r "$build/bin/." "$work/clock/"
rm -f "$work/clock/vocahora.ini"
words=("0:oh" "1:one" "2:two" "3:three" "4:four" "5:five" "6:six" "7:seven" "8:eight" "9:nine" "10:ten"
       "11:eleven" "12:twelve" "13:thirteen" "14:fourteen" "15:fifteen" "16:sixteen" "17:seventeen"
       "18:eighteen" "19:nineteen" "20:twenty" "30:thirty" "40:forty" "50:fifty" "AM:A. M." "PM:P. M.")
make_spoken_takes "$work" "${words[@]}"
start_microphone_server "$work"
printf '%s\n' "${words[@]%%:*}" >"$work/names"

cat >"$work/take.sh" <<'INNER'
set -euo pipefail
work=$1 docs=$2
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
"$work/clock/horavox" &
clock=$!
exec 7>"$work/microphone.fifo"
trap 'kill $clock 2>/dev/null || true' EXIT

find_window() {
  local pattern=$1 window=""
  for _ in $(seq 50); do
    window=$(xwininfo -root -tree | awk -v p="$pattern" '$0 ~ p {print $1; exit}')
    [ -n "$window" ] && { echo "$window"; return; }
    sleep 0.2
  done
  echo "No window matching '$pattern' appeared." >&2
  exit 1
}
# Feeds a raw take into the microphone as a mouth would: 10 ms every 10 ms,
# in whole samples (the pipe source aborts on half a one).
say_slowly() {
  /usr/bin/python3 - "$1" <<'PY'
import sys, time
data = open(sys.argv[1], "rb").read()
start = time.monotonic()
with open("/dev/fd/7", "wb", buffering=0) as pipe:
    for at in range(0, len(data), 440):
        time.sleep(max(0, start + (at + 440) / 44100 - time.monotonic()))
        pipe.write(data[at:at + 440])
PY
}

face=$(find_window '[0-9][0-9]:[0-9][0-9]:[0-9][0-9].*Horavox')
sleep 1
# File > Record Your Own Voice... is the item after Record Sound Files.
left=$(xwininfo -id "$face" | awk '/Absolute upper-left X/ {print $4}')
top=$(xwininfo -id "$face" | awk '/Absolute upper-left Y/ {print $4}')
xdotool mousemove $((left + 15)) $((top + 10))
sleep 0.2
xdotool click 1
sleep 0.3
xdotool key Down Down Down Down Down Down Return
recorder=$(find_window '"Record Your Own Voice')
sleep 0.5
first=1
while read -r name; do
  xdotool key r
  sleep 0.2
  if [ "$first" = 1 ]; then
    cat "$work/room.raw" >&7
    sleep 0.3
    first=0
  fi
  if [ "$name" = 13 ]; then
    # The picture in the middle of the word, fed in real time.
    say_slowly "$work/takes/$name.raw" &
    speaker=$!
    sleep 0.75
    import -window "$recorder" "$docs/voice-recorder-recording.png"
    wait $speaker
  else
    cat "$work/takes/$name.raw" >&7
  fi
  sleep 0.6
done <"$work/names"
xdotool key f
sleep 1
import -window "$recorder" "$docs/voice-recorder-finished.png"
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/take.sh" "$work" "$docs"
echo "Saved the pictures in $docs"
