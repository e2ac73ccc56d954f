#!/usr/bin/env bash
# Takes pictures of horavox.exe under Wine on a virtual display, in a Wine
# desktop window so that the windows have Wine's frames:
#   tools/screenshot-windows.sh [mingw build dir] [docs dir]   (default: build-mingw, docs)
# It saves windows-main.png (the clock), windows-about.png (the About box),
# windows-reset.png (the factory reset's question), windows-notice.png (the
# notice before the sound recorder), windows-settings-page-1.png to -4.png
# (the settings dialog's pages) and windows-chooser.png (the directory
# chooser). The clock runs
# from a copy of the program directory, in a Wine prefix of its own, and is
# driven from the keyboard, as a user without a mouse would.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build-mingw}" && pwd)
docs=$(realpath -m "${2:-$top/docs}")
mkdir -p "$docs"
# Wine's own fonts draw its window frames and dialogs; ImageMagick's import
# takes the pictures, xwininfo finds the windows, xdotool types.
bash "$top/tools/install-packages.sh" xvfb x11-utils imagemagick xdotool fonts-wine
cmake --build "$build" --target horavox >/dev/null

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display_file=$work/display
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$display_file")
# Wine's loader makes a new prefix itself (wineboot --init) before the first
# program runs; wineboot -i as that program did it again and left two service
# managers running, and then now and then Wine's desktop process waited 10 s
# on starting the RpcSs service, holding up a first waveOutOpen.
/usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

mkdir "$work/clock"
cp -r "$build/bin/." "$work/clock/"
rm -f "$work/clock/vocahora.ini"
printf '[vocahora]\r\nwindow_left_posn=40\r\nwindow_top_posn=40\r\n' >"$work/clock/vocahora.ini"
(cd "$work/clock" && /usr/lib/wine/wine64 explorer /desktop=Horavox,640x480 horavox.exe >/dev/null 2>&1 &)

# The absolute geometry (WxH+X+Y) of the first window whose name matches `pattern`, waiting for it.
geometry_of() {
  local pattern=$1 geometry=""
  for _ in $(seq 100); do
    geometry=$(xwininfo -root -tree | awk -v p="$pattern" '$0 ~ p && /horavox.exe/ {print $(NF-1) "," $NF; exit}')
    [ -n "$geometry" ] && break
    sleep 0.1
  done
  [ -n "$geometry" ] || { echo "no window matching '$pattern'" >&2; exit 1; }
  local size=${geometry%%+*}
  echo "$size${geometry##*,}"
}

shoot() {
  local pattern=$1 name=$2
  local geometry
  geometry_of "$pattern" >/dev/null
  # Drawn, and at its final size.
  sleep 0.7
  geometry=$(geometry_of "$pattern")
  import -window root -crop "$geometry" +repage "$docs/$name"
  echo "$docs/$name"
}

# Once the first tick has shown the time, on the window that owns the task-bar button.
geometry_of '"[0-9][0-9]:[0-9][0-9]:[0-9][0-9]' >/dev/null
shoot '"Horavox [0-9]' windows-main.png
# Into the clock's window, then Alt+H, A for the About box.
main=$(geometry_of '"Horavox [0-9]')
x=$(echo "$main" | awk -F'[x+]' '{print $3 + 60}')
y=$(echo "$main" | awk -F'[x+]' '{print $4 + 10}')
xdotool mousemove "$x" "$y" click 1
xdotool key alt+h; sleep 0.3; xdotool key a
shoot '"About"' windows-about.png
xdotool key Return
# Alt+F, R: the factory reset's question (the first of the two items with
# the access key R), answered No by Esc.
sleep 0.3; xdotool key alt+f; sleep 0.3; xdotool key r
shoot '"Warning"' windows-reset.png
xdotool key Escape
# Alt+F, then up past Exit to "Record Sound Files": the notice before the recorder.
sleep 0.3; xdotool key alt+f; sleep 0.3; xdotool key Up; sleep 0.1; xdotool key Up; sleep 0.1; xdotool key Return
shoot 'Sound File' windows-notice.png
# OK, then OK again to the box that says Wine has no sound recorder.
xdotool key Return; sleep 0.7; xdotool key Return
# Alt+F, S: the settings; Ctrl+Tab turns the pages.
sleep 0.3; xdotool key alt+f; sleep 0.3; xdotool key s
for page in 1 2 3 4; do
  shoot '"Horavox Settings"' "windows-settings-page-$page.png"
  xdotool key ctrl+Tab
done
# On "Other Settings", Tab from the sound scheme to "Dir", and Space.
xdotool key ctrl+Tab ctrl+Tab; sleep 0.3; xdotool key Tab; sleep 0.2; xdotool key space
shoot 'Choose Sound File' windows-chooser.png
xdotool key Escape
