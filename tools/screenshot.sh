#!/usr/bin/env bash
# Takes a picture of the real clock window on a virtual display:
#   tools/screenshot.sh [build dir] [picture]   (default: build, docs/screenshot.png)
# The clock runs from a copy of the program directory, so the settings file
# beside the real clock is neither read nor written.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
picture=$(realpath -m "${2:-$top/docs/screenshot.png}")
mkdir -p "$(dirname "$picture")"
# xwininfo and xprop find the window, ImageMagick's import takes its picture.
bash "$top/tools/install-packages.sh" xvfb xauth x11-utils imagemagick

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/bin/." "$work/"
rm -f "$work/vocahora.ini"

cat >"$work/take.sh" <<'INNER'
set -euo pipefail
SDL_AUDIODRIVER=dummy "$1/horavox" &
clock=$!
trap 'kill $clock 2>/dev/null || true' EXIT
# Wait for the first ticks: the caption then carries the time.
window=""
for _ in $(seq 50); do
  sleep 0.2
  window=$(xwininfo -root -tree | awk '/[0-9][0-9]:[0-9][0-9]:[0-9][0-9].*Horavox/ {print $1; exit}')
  [ -n "$window" ] && break
done
if [ -z "$window" ]; then
  echo "The clock window did not appear." >&2
  exit 1
fi
sleep 1
xprop -id "$window" _NET_WM_NAME
import -window "$window" "$2"
INNER
xvfb-run -a -s "-screen 0 640x480x24" bash "$work/take.sh" "$work" "$picture"
echo "Saved $picture"
