#!/usr/bin/env bash
# The installed layout as a user meets it: `cmake --install` into a scratch
# prefix, both programs started through their links in bin/, and the settings
# kept in $XDG_CONFIG_HOME/horavox/, seeded once from the site default.
# The scratch program directory stays writable, so only the installation itself
# can send the settings away from it, even when root runs the test.
set -u
build=$1
source "$(dirname "$0")/shell_checks.sh"

cmake --install "$build" --prefix "$work/usr" >/dev/null || exit 1
program_dir="$work/usr/lib/horavox"
for program in horavox horavox-say; do
    expect "bin/$program leads to the program directory" "$program_dir/$program" \
        "$(readlink -f "$work/usr/bin/$program")"
done
for file in horavox.txt testsnd.wav 0.WAV dingding.WAV installed; do
    [ -f "$program_dir/$file" ] || expect "$file in the program directory" present missing
done
if command -v desktop-file-validate >/dev/null; then
    expect "desktop entry valid" "" "$(desktop-file-validate "$work/usr/share/applications/"*.desktop 2>&1)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$work/usr/share/metainfo/"*.metainfo.xml >"$work/appstream.log" 2>&1
    expect "metainfo valid ($(tail -1 "$work/appstream.log"))" 0 "$?"
fi

export XDG_CONFIG_HOME="$work/config" HOME="$work/home" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
say="$work/usr/bin/horavox-say"
expect "the voice is found through the link" $'10.WAV\n0.WAV\n5.WAV\nAM.WAV' \
    "$("$say" 10:05 --print --clock 12 --prefix-suffix none)"

# A site default, read-only as an administrator leaves it.
printf '[vocahora]\r\nN24_Hour_Clock_Option=1\r\n' >"$program_dir/vocahora.ini"
chmod a-w "$program_dir/vocahora.ini"
cp -p "$program_dir/vocahora.ini" "$work/site.ini"
settings=$("$say" --show-settings)
expect "before the first start the site default is read" "ClockFormat=TwentyFourHour" \
    "$(grep '^ClockFormat=' <<<"$settings")"
expect "sound directory is the real program directory" "Sound_Directory_Edit=$program_dir/" \
    "$(grep '^Sound_Directory_Edit=' <<<"$settings")"

# The clock, closed as log-out closes it once it listens for SIGTERM.
"$work/usr/bin/horavox" >"$work/clock.log" 2>&1 &
clock=$!
until [ $((0x$(awk '/^SigCgt:/ {print $2}' "/proc/$clock/status" 2>/dev/null || echo 0) & 0x4000)) -ne 0 ]; do
    kill -0 "$clock" 2>/dev/null || break
    sleep 0.1
done
kill -TERM "$clock"
wait "$clock"
expect "clock exit code" 0 "$?"
saved="$XDG_CONFIG_HOME/horavox/vocahora.ini"
expect "settings saved in the configuration home, seeded" "N24_Hour_Clock_Option=1" \
    "$(grep -o '^N24_Hour_Clock_Option=1' "$saved" 2>/dev/null)"
expect "all 33 keys saved (the 28 of the first design and 5 added since)" 33 "$(grep -c '=' "$saved" 2>/dev/null)"
expect "the program directory gained nothing" $'horavox\nhoravox-say\nhoravox.txt\ninstalled\nvocahora.ini' \
    "$(ls "$program_dir" | grep -v -i '\.wav$')"
cmp -s "$program_dir/vocahora.ini" "$work/site.ini"
expect "site default untouched" 0 "$?"

# From now on the user's file, not the site default, is the clock's.
chmod u+w "$program_dir/vocahora.ini"
printf '[vocahora]\r\nN12_Hour_Clock_Option=1\r\n' >"$program_dir/vocahora.ini"
expect "the user's file wins over the site default" "ClockFormat=TwentyFourHour" \
    "$("$say" --show-settings | grep '^ClockFormat=')"

[ $failures -eq 0 ] || cat "$work/clock.log"
exit $((failures > 0))
