#!/usr/bin/env bash
# Sound files in other formats, decoded by the Audio Compression Manager
# under Wine, against the Linux decoder (SDL) on the same file: a 441 Hz tone
# at half scale (and a 331 Hz one on a second channel) in each format of the table, rendered by horavox-say --wav.
# Tolerance: where the rate stays, within one step of 16 bits (float and
# 8-bit scaling round apart by one); where it changes, the same length and a
# difference of at most 1000 RMS (3 % of full scale): Wine's converter holds
# each sample, where SDL interpolates with a filter.
#   say_conversion_test.sh WINE LINUX_SAY WINDOWS_SAY
set -u
wine=$1 linux_say=$2 windows_say=$3
source "$(dirname "$0")/../shell_checks.sh"
[ -x "$linux_say" ] || { echo "SKIP: no Linux horavox-say at $linux_say"; exit 77; }
command -v sox >/dev/null || { echo "sox is needed (tools/setup.sh test installs it)"; exit 1; }

while read -r label tolerance format; do
    mkdir -p "$work/$label"
    # Two channels carry two tones, so a swap or a sum would show.
    tones=(sine 441)
    [[ $format == *"-c 2"* ]] && tones+=(sine 331)
    # shellcheck disable=SC2086
    sox -n $format "$work/$label/1.WAV" synth 0.5 "${tones[@]}" vol 0.5
    arguments=(01:00 --clock 24 --prefix-suffix none --sound-dir "$work/$label")
    "$linux_say" "${arguments[@]}" --wav "$work/linux.wav"
    "$wine" "$windows_say" 01:00 --clock 24 --prefix-suffix none --sound-dir "Z:$work/$label" \
        --wav "Z:$work/windows.wav" 2>"$work/err"
    expect "$label: converted without a message" "0:" "$?:$(tr -d '\r' <"$work/err")"
    expect "$label: within tolerance" "yes" "$(python3 - "$work/linux.wav" "$work/windows.wav" "$tolerance" <<'PY'
import array, math, sys, wave
def samples(path):
    with wave.open(path) as w:
        return array.array('h', w.readframes(w.getnframes()))
linux, windows, tolerance = samples(sys.argv[1]), samples(sys.argv[2]), sys.argv[3]
differences = [a - b for a, b in zip(linux, windows)]
worst = max(map(abs, differences), default=0)
rms = math.sqrt(sum(d * d for d in differences) / max(1, len(differences)))
ok = len(linux) == len(windows) and len(linux) > 10000 and (worst <= 1 if tolerance == 'exact' else rms <= 1000)
print('yes' if ok else 'no: %d against %d samples, largest difference %d, RMS %.0f' % (len(linux), len(windows), worst, rms))
PY
)"
done <<'TABLE'
8-bit              exact    -r 22050 -c 1 -b 8 -e unsigned-integer
stereo             exact    -r 22050 -c 2 -b 16
float              exact    -r 22050 -c 1 -b 32 -e floating-point
24-bit             exact    -r 22050 -c 1 -b 24
IMA_ADPCM          exact    -r 22050 -c 1 -e ima-adpcm
44.1_kHz           rate     -r 44100 -c 1 -b 16
16_kHz             rate     -r 16000 -c 1 -b 16
IMA_ADPCM_44.1_kHz_stereo rate -r 44100 -c 2 -e ima-adpcm
TABLE
exit $((failures > 0))
