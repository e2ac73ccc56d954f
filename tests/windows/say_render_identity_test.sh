#!/usr/bin/env bash
# One command on both systems: for the bundled voice, horavox-say --wav on
# Linux and horavox-say.exe --wav under Wine write the same bytes, over a
# table of times, schemes, clocks, prefix modes and volumes; and the other
# options print the same and end with the same exit codes.
#   say_render_identity_test.sh WINE LINUX_SAY WINDOWS_SAY
set -u
wine=$1 linux_say=$2 windows_say=$3
source "$(dirname "$0")/../shell_checks.sh"
[ -x "$linux_say" ] || { echo "SKIP: no Linux horavox-say at $linux_say"; exit 77; }

while read -r label arguments; do
    # shellcheck disable=SC2086
    "$linux_say" $arguments --seed 11 --wav "$work/linux.wav" 2>"$work/linux.err"
    linux=$?
    # shellcheck disable=SC2086
    "$wine" "$windows_say" $arguments --seed 11 --wav "Z:$work/windows.wav" 2>"$work/windows.err"
    windows=$?
    expect "$label: the same exit code" "$linux" "$windows"
    cmp -s "$work/linux.wav" "$work/windows.wav"
    expect "$label: the same bytes" 0 "$?"
    rm -f "$work/linux.wav" "$work/windows.wav"
done <<'TABLE'
12:12_12-hour_full_volume          12:12 --clock 12
00:00_12-hour                      00:00 --clock 12 --prefix-suffix fixed
23:59_24-hour_at_37_%              23:59 --clock 24 --volume 37
13:07_random_prefix                13:07 --clock 12 --prefix-suffix random
09:40_random_with_blank_at_1_%     09:40 --clock 24 --prefix-suffix blank --volume 1
04:00_eight_bells                  04:00 --scheme bells
19:30_dog_watches_at_50_%          19:30 --scheme bells --dog-watches --volume 50
00:30_one_bell_silent              00:30 --scheme bells --volume 0
TABLE

# Output and exit codes, with the program's directory written alike.
printf '[vocahora]\r\nN24_Hour_Clock_Option=1\r\nVolume_Percent=40\r\n' >"$work/vocahora.ini"
linux_bin=$(cd "$(dirname "$linux_say")" && pwd)/
same_directory() {  # text on standard input
    sed -e "s|$linux_bin|DIR/|g" -e 's|Z:[^ ]*\\bin\\|DIR/|g' -e 's/\r$//'
}
while read -r label arguments; do
    arguments=${arguments//@ini/$work/vocahora.ini}
    # shellcheck disable=SC2086
    linux=$("$linux_say" $arguments 2>&1 | same_directory; echo "exit ${PIPESTATUS[0]}")
    # shellcheck disable=SC2086
    windows=$("$wine" "$windows_say" ${arguments//$work/Z:$work} 2>&1 | same_directory; echo "exit ${PIPESTATUS[0]}")
    expect "$label: the same output and exit code" "$linux" "$windows"
done <<'TABLE'
print_13:07            13:07 --print --clock 12 --prefix-suffix fixed
settings_file_read     --settings @ini --show-settings
voice_check            --check-voice
help                   --help
a_bad_time             25:00 --print
a_bad_volume           --volume 101 --print
an_unknown_option      --loud
TABLE

# Paths with letters beyond ASCII reach the files: the arguments are read as
# wide strings, and UTF-8 is the program's code page. The voice here says
# "one" for twelve, so a lookup that fell back to the bundled voice shows.
voice="$work/voix été"
mkdir "$voice"
cp "$(dirname "$windows_say")"/*.WAV "$voice/"
cp "$voice/1.WAV" "$voice/12.WAV"
"$linux_say" 12:12 --clock 12 --seed 11 --sound-dir "$voice" --wav "$work/linux.wav"
"$wine" "$windows_say" 12:12 --clock 12 --seed 11 --sound-dir "Z:$voice" --wav "Z:$voice/à dire.wav"
cmp -s "$work/linux.wav" "$voice/à dire.wav"
expect "a voice and a render in directories with accents" 0 "$?"
exit $((failures > 0))
