#!/usr/bin/env bash
# horavox-say as a script sees it: output, exit codes, and a settings file
# that is read but never written.
set -u
say=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # description, expected, actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

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

exit $((failures > 0))
