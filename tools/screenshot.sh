#!/usr/bin/env bash
# Takes pictures of the real clock window and its settings dialogs on a
# virtual display:
#   tools/screenshot.sh [build dir] [docs dir]   (default: build, docs)
# It saves screenshot.png (the clock), settings-page-1.png to -4.png (the
# settings dialog's pages), directory-chooser.png, chooser-hidden.png and
# sound-file-notice.png. The clock runs from a copy of the program directory,
# so the settings file beside the real clock is neither read nor written.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
docs=$(realpath -m "${2:-$top/docs}")
mkdir -p "$docs"
# xwininfo and xprop find the windows, xdotool clicks and types, ImageMagick's
# import takes the pictures.
bash "$top/tools/install-packages.sh" xvfb xauth x11-utils imagemagick xdotool

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/bin/." "$work/"
rm -f "$work/vocahora.ini"

cat >"$work/take.sh" <<'INNER'
set -euo pipefail
work=$1 docs=$2
# The directory chooser opens on the directory the clock started in; a log-on
# entry of the user's own cannot interrupt with a question.
cd /usr/share
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
SDL_AUDIODRIVER=dummy "$work/horavox" &
clock=$!
trap 'kill $clock 2>/dev/null || true' EXIT

# The id of the first window whose name matches `pattern`, waiting for it.
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

# Clicks `button` at (x, y) inside `window`, as the user's mouse would.
click_in() {
  local window=$1 x=$2 y=$3 button=$4 left top
  left=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print $4}')
  top=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
  xdotool mousemove $((left + x)) $((top + y))
  sleep 0.2
  xdotool click "$button"
}

# Wait for the first ticks: the caption then carries the time.
face=$(find_window '[0-9][0-9]:[0-9][0-9]:[0-9][0-9].*Horavox')
sleep 1
xprop -id "$face" _NET_WM_NAME
import -window "$face" "$docs/screenshot.png"

# A right click on the face opens the settings dialog; Ctrl+Tab turns its pages.
click_in "$face" 60 40 3
settings=$(find_window '"Horavox Settings')
sleep 0.5
for page in 1 2 3 4; do
  [ "$page" = 1 ] || xdotool key ctrl+Tab
  sleep 0.3
  import -window "$settings" "$docs/settings-page-$page.png"
done
xdotool key ctrl+shift+Tab
sleep 0.3

# "Dir" on the last page opens the chooser.
click_in "$settings" 50 150 1
chooser=$(find_window '"Choose Sound File')
sleep 0.5
import -window "$chooser" "$docs/directory-chooser.png"

# The chooser again in a home directory, moved to by keyboard alone: its
# hidden directories come after the others, dimmed.
home="$work/home/user"
mkdir -p "$home"/{Documents,Music,.cache,.config,.local/share}
xdotool key shift+Tab BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
IFS=/ read -ra names <<<"${home#/}"
for name in "${names[@]}"; do
  sleep 0.5
  xdotool type --delay 20 "$name"
  xdotool key space
done
sleep 0.5
import -window "$chooser" "$docs/chooser-hidden.png"

# Esc leaves the chooser, OK the settings; then File > Record Sound Files
# (the fifth item) shows the notice of the words to record.
xdotool key Escape
sleep 0.3
click_in "$settings" 161 299 1
sleep 0.5
click_in "$face" 15 10 1
sleep 0.3
xdotool key Down Down Down Down Down Return
notice=$(find_window '"Sound File')
sleep 0.5
import -window "$notice" "$docs/sound-file-notice.png"
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/take.sh" "$work" "$docs"
echo "Saved the pictures in $docs"
