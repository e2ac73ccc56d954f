#!/usr/bin/env bash
# horavox-say as a script sees it: output, exit codes, and a settings file
# that is read but never written.
set -u
say=$(realpath "$1")
source "$(dirname "$0")/shell_checks.sh"

expect "13:07 on the 12-hour clock without prefix" $'1.WAV\n0.WAV\n7.WAV\nPM.WAV' \
    "$("$say" 13:07 --print --clock 12 --prefix-suffix none)"
expect "12:12 names the repeated word twice" $'12.WAV\n12.WAV\nPM.WAV' \
    "$("$say" 12:12 --print --clock 12 --prefix-suffix none)"
expect "23:59 on the 24-hour clock" $'20.WAV\n3.WAV\n50.WAV\n9.WAV' \
    "$("$say" 23:59 --print --clock 24 --prefix-suffix none)"
expect "eight bells at 04:00" $'dingding.WAV\ndingding.WAV\ndingding.WAV\ndingding.WAV' \
    "$("$say" 04:00 --print --scheme bells)"
expect "19:30 in the last dog watch" $'dingding.WAV\nding.WAV' "$("$say" 19:30 --print --scheme bells --dog-watches)"

for bad in 25:00 7 ab:cd "--clock 13" --nonsense; do
    # shellcheck disable=SC2086
    "$say" $bad --print >"$work/out" 2>"$work/err"
    expect "exit code for '$bad'" 2 "$?"
    expect "one-line message for '$bad'" 1 "$(wc -l <"$work/err")"
    expect "nothing on stdout for '$bad'" "" "$(cat "$work/out")"
done

printf '[vocahora]\r\nN24_Hour_Clock_Option=1\r\nFastest_Play_Option=1\r\nSound_Directory_Edit=%s/nowhere\r\n' "$work" \
    >"$work/vocahora.ini"
cp "$work/vocahora.ini" "$work/before.ini"
settings=$("$say" --settings "$work/vocahora.ini" --show-settings)
expect "file's clock format" "ClockFormat=TwentyFourHour" "$(grep '^ClockFormat=' <<<"$settings")"
expect "file's play method" "PlayMethod=Fastest" "$(grep '^PlayMethod=' <<<"$settings")"
expect "missing sound directory repaired" "Sound_Directory_Edit=$(dirname "$say")/" \
    "$(grep '^Sound_Directory_Edit=' <<<"$settings")"
expect "33 fields and 5 groups" 38 "$(wc -l <<<"$settings")"
expect "the keys added after the 28, with their defaults" \
    $'Quiet_Hours_Option=0\nQuiet_Hours_Start=22:00\nQuiet_Hours_End=07:00\nVolume_Percent=100\nDog_Watch_Bells_Option=0' \
    "$(grep -E '^(Quiet_Hours|Volume|Dog_Watch)' <<<"$settings")"
expect "--volume and --dog-watches for this run" $'Volume_Percent=35\nDog_Watch_Bells_Option=1' \
    "$("$say" --settings "$work/vocahora.ini" --volume 35 --dog-watches --show-settings | grep -E '^(Volume|Dog_Watch)')"
overridden=$("$say" --settings "$work/vocahora.ini" --clock 12 --show-settings)
expect "override for this run" "ClockFormat=TwelveHour" "$(grep '^ClockFormat=' <<<"$overridden")"
cmp -s "$work/vocahora.ini" "$work/before.ini"
expect "settings file untouched" 0 "$?"

"$say" 12:12 --clock 12 --prefix-suffix none --volume 100 --wav "$work/out.wav"
expect "render exit code" 0 "$?"
expect "render is a RIFF WAVE file" "RIFFWAVE" "$(head -c 12 "$work/out.wav" | tr -d -c 'A-Z')"

# Volume is a linear factor on every sample, rounded to the nearest.
"$say" 12:12 --clock 12 --prefix-suffix none --volume 50 --wav "$work/half.wav"
expect "a 50 % render has half the amplitude of a 100 % render" "True 0.5" "$(python3 - "$work" <<'EOF_PY'
import array, sys, wave
def samples(name):
    with wave.open(sys.argv[1] + "/" + name) as w:
        return array.array("h", w.readframes(w.getnframes()))
full, half = samples("out.wav"), samples("half.wav")
same_shape = len(full) == len(half) and all(abs(2 * h - f) <= 1 for f, h in zip(full, half))
print(same_shape, round(max(map(abs, half)) / max(map(abs, full)), 2))
EOF_PY
)"

# Anything but a regular file reads as an unreadable one, at once: a FIFO
# would block the program until some other program wrote to it.
mkfifo "$work/fifo.ini"
settings=$("$say" --settings "$work/fifo.ini" --show-settings)
expect "a FIFO as settings file gives the defaults" "ClockFormat=TwelveHour" "$(grep '^ClockFormat=' <<<"$settings")"

# One broken word file: every other word is still rendered and spoken, then
# the error names the file and the exit code is 1.
mkdir "$work/voice"
cp "$(dirname "$say")"/*.WAV "$work/voice/"
printf '[vocahora]\r\nSound_Directory_Edit=%s/voice/\r\n' "$work" >"$work/voice.ini"
words=(13:07 --clock 12 --prefix-suffix none --settings "$work/voice.ini")
"$say" "${words[@]}" --wav "$work/whole.wav"
expect "whole render exit code" 0 "$?"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIODELAY=11  # real time
SDL_DISKAUDIOFILE="$work/whole.raw" "$say" "${words[@]}"
expect "whole announcement exit code" 0 "$?"
for broken in zero text header; do
    case $broken in
        zero) : >"$work/voice/7.WAV" ;;
        text) echo "seven" >"$work/voice/7.WAV" ;;
        header) printf 'RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data\0\0\0\0' \
                    >"$work/voice/7.WAV" ;;
    esac
    "$say" "${words[@]}" --wav "$work/broken.wav" 2>"$work/err"
    expect "render with a $broken 7.WAV: exit code" 1 "$?"
    expect "render with a $broken 7.WAV: the file is named" 1 "$(grep -c "voice/7.WAV" "$work/err")"
    whole_size=$(stat -c %s "$work/whole.wav")
    broken_size=$(stat -c %s "$work/broken.wav")
    expect "render with a $broken 7.WAV: the other three words" 1 \
        "$((broken_size > whole_size / 2 && broken_size < whole_size))"
    SDL_DISKAUDIOFILE="$work/broken.raw" "$say" "${words[@]}" 2>"$work/err"
    expect "spoken with a $broken 7.WAV: exit code" 1 "$?"
    expect "spoken with a $broken 7.WAV: the file is named" 1 "$(grep -c "voice/7.WAV" "$work/err")"
    # The bytes of sound, not of the silence the device writes while the run goes on.
    expect "spoken with a $broken 7.WAV: the other words are heard" 1 \
        "$(($(tr -d '\0' <"$work/broken.raw" | wc -c) > $(tr -d '\0' <"$work/whole.raw" | wc -c) / 2))"
    cp "$(dirname "$say")/7.WAV" "$work/voice/7.WAV"
done

# The voice-pack check: a missing word and a text file posing as a WAV fail
# it; a second of silence before a word is only a warning.
check() { "$say" --settings "$work/voice.ini" --check-voice "$@" >"$work/check" 2>&1; }
check
expect "check of a whole pack" 0 "$?"
expect "check lists every word file and the prefix" 29 "$(grep -c -E '^[0-9A-Za-z]+\.WAV +ok ' "$work/check")"
rm "$work/voice/7.WAV"
check
expect "check with a missing word: exit code" 1 "$?"
expect "check with a missing word: the line" "7.WAV           missing" "$(grep '^7\.WAV' "$work/check")"
echo "seven" >"$work/voice/7.WAV"
check "$work/voice"
expect "check with a text file as 7.WAV: exit code" 1 "$?"
expect "check with a text file as 7.WAV: the decoder's message" 1 \
    "$(grep -c -E '^7\.WAV +not a sound file: .+' "$work/check")"
cp "$(dirname "$say")/7.WAV" "$work/voice/7.WAV"
rm "$work/voice/AM.WAV"
check --clock 24
expect "check without AM on the 24-hour clock: exit code" 0 "$?"
check --clock 12
expect "check without AM on the 12-hour clock: exit code" 1 "$?"
cp "$(dirname "$say")/AM.WAV" "$work/voice/AM.WAV"
python3 - "$work/voice/8.WAV" <<'EOF_PY'
import sys, wave
with wave.open(sys.argv[1]) as w:
    params, frames = w.getparams(), w.readframes(w.getnframes())
with wave.open(sys.argv[1], "wb") as w:
    w.setparams(params)
    w.writeframes(b"\0" * (params.framerate * params.sampwidth * params.nchannels) + frames)
EOF_PY
check
expect "check with a second of silence before 8: exit code" 0 "$?"
expect "check with a second of silence before 8: the warning" 1 \
    "$(grep -A1 '^8\.WAV' "$work/check" | grep -c -E 'warning: 10[0-9][0-9] ms of silence at the start')"
# A broken second prefix is needed only where it can be drawn.
echo "chime" >"$work/voice/PREFIX2.WAV"
check --prefix-suffix fixed
expect "check with a broken prefix the fixed choice never plays: exit code" 0 "$?"
check --prefix-suffix random
expect "check with a broken prefix a random choice can draw: exit code" 1 "$?"

exit $((failures > 0))
