#!/usr/bin/env bash
# The Windows release under Wine: the installer run silently with the
# auto-run option, the installed clock (through the window driver), a second
# install over the first while the clock runs, the silent uninstall, and the
# portable zip unpacked and run.
#   installer_test.sh WINE SETUP ZIP CLOCK_WINDOW_TESTS   (needs DISPLAY and a WINEPREFIX)
set -u
wine=$1 setup=$2 zip=$3 driver=$4
source "$(dirname "$0")/../shell_checks.sh"

c_drive="$WINEPREFIX/drive_c"
program_dir="$c_drive/Program Files/Horavox"
win_program_dir='C:\Program Files\Horavox'
shortcut="$c_drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Horavox.lnk"
arp_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Horavox'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
app_data=$("$wine" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
settings="$("$wine" winepath -u "$app_data" 2>/dev/null | tr -d '\r')/Horavox/vocahora.ini"
[ -n "$app_data" ] && [ "$settings" != "/Horavox/vocahora.ini" ] || { echo "FAIL: no %APPDATA% in the prefix"; exit 1; }
installed_files=(horavox.exe horavox-say.exe horavox.txt installed uninstall.exe 0.WAV PM.WAV testsnd.wav)

# A registry value's data as reg.exe shows it; empty when it is missing.
reg_value() {  # key, value name
    "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# Every file, the shortcut and each registry value where the installer puts them.
check_installed() {  # when
    local file missing=""
    for file in "${installed_files[@]}"; do
        [ -f "$program_dir/$file" ] || missing+=" $file"
    done
    expect "$1: every file in Program Files" "" "$missing"
    expect "$1: the Start-menu shortcut" yes "$([ -f "$shortcut" ] && echo yes)"
    local -a arp=(
        DisplayName 'Horavox'
        DisplayVersion "$version"
        Publisher 'Horavox'
        DisplayIcon "$win_program_dir\\horavox.exe,0"
        UninstallString "\"$win_program_dir\\uninstall.exe\""
        QuietUninstallString "\"$win_program_dir\\uninstall.exe\" /S"
    )
    local i
    for ((i = 0; i < ${#arp[@]}; i += 2)); do
        expect "$1: Add or Remove Programs' ${arp[i]}" "${arp[i + 1]}" "$(reg_value "$arp_key" "${arp[i]}")"
    done
    local size
    size=$(reg_value "$arp_key" EstimatedSize)
    expect "$1: EstimatedSize in KiB, as big as the files" yes "$([ $((size)) -ge 1000 ] && echo yes)"
    expect "$1: the Run value the clock's menu item writes" "$win_program_dir\\horavox.exe" \
        "$(reg_value "$run_key" horavox.exe)"
}
version=$(basename "$setup" | sed 's/^horavox-\(.*\)-setup\.exe$/\1/')

"$wine" "$setup" /S /AUTORUN
expect "the silent install succeeds" 0 "$?"
check_installed "installed"

# The installed clock: its menu item shows the Run value, log-off saves to
# %APPDATA%; then the second install, which closes it first.
HORAVOX_SETUP=$("$wine" winepath -w "$setup" 2>/dev/null | tr -d '\r') \
    "$wine" "$driver" "$win_program_dir\\horavox.exe" --gtest_filter='Released_Clock.*Install*' >"$work/driver.log" 2>&1
ran="$? $(grep -c '^\[       OK \]' "$work/driver.log")"
expect "the installed clock's two tests pass" "0 2" "$ran"
[ "$ran" = "0 2" ] || cat "$work/driver.log"
check_installed "installed again"

# Silently, the uninstaller copies itself to %TEMP% and returns before it has
# finished; _?= runs it in place and waits, which leaves it behind. It must
# end the command line unquoted, which only a batch file's line keeps.
printf '@"%s\\uninstall.exe" /S _?=%s\r\n' "$win_program_dir" "$win_program_dir" >"$work/uninstall.bat"
"$wine" cmd /c "$("$wine" winepath -w "$work/uninstall.bat" 2>/dev/null | tr -d '\r')"
expect "the silent uninstall succeeds" 0 "$?"
expect "uninstalled: only the running uninstaller is left" "uninstall.exe" "$(ls "$program_dir" | tr '\n' ' ' | sed 's/ $//')"
expect "uninstalled: the shortcut is gone" no "$([ -e "$shortcut" ] && echo yes || echo no)"
expect "uninstalled: the Add or Remove Programs entry is gone" 1 "$("$wine" reg query "$arp_key" >/dev/null 2>&1; echo $?)"
expect "uninstalled: the Run value is gone" "" "$(reg_value "$run_key" horavox.exe)"
expect "uninstalled: the user's settings stay" yes "$([ -f "$settings" ] && echo yes)"
rm -rf "$program_dir"

# The portable zip, unpacked anywhere: its settings stay beside it.
mkdir -p "$work/anywhere"
unzip -q "$zip" -d "$work/anywhere"
portable=$(echo "$work"/anywhere/*/horavox.exe)
"$wine" "$driver" "$portable" --gtest_filter='Released_Clock.*Portable*' >"$work/driver.log" 2>&1
ran="$? $(grep -c '^\[       OK \]' "$work/driver.log")"
expect "the portable clock's test passes" "0 1" "$ran"
[ "$ran" = "0 1" ] || cat "$work/driver.log"
expect "the portable copy's settings are beside it" yes "$([ -f "$(dirname "$portable")/vocahora.ini" ] && echo yes)"

rm -rf "$(dirname "$settings")"
exit $((failures > 0))
