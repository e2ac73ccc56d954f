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
expect "28 fields and 5 groups" 33 "$(wc -l <<<"$settings")"
overridden=$("$say" --settings "$work/vocahora.ini" --clock 12 --show-settings)
expect "override for this run" "ClockFormat=TwelveHour" "$(grep '^ClockFormat=' <<<"$overridden")"
cmp -s "$work/vocahora.ini" "$work/before.ini"
expect "settings file untouched" 0 "$?"

"$say" 12:12 --clock 12 --prefix-suffix none --wav "$work/out.wav"
expect "render exit code" 0 "$?"
expect "render is a RIFF WAVE file" "RIFFWAVE" "$(head -c 12 "$work/out.wav" | tr -d -c 'A-Z')"

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

exit $((failures > 0))
