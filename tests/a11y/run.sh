#!/usr/bin/env bash
# Runs the accessibility check against the real clock window on a virtual
# display with its own session bus and accessibility bus:
#   tests/a11y/run.sh <directory of the built clock>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/own_display.sh"
bin=$(cd "$1" && pwd)

# The clock runs from a copy of its directory, so the settings file it writes
# is this run's own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/." "$work/"
rm -f "$work/vocahora.ini"

cat >"$work/inside.sh" <<'INNER'
set -euo pipefail
work=$1 here=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
export XDG_RUNTIME_DIR="$work/runtime"
# No log-on entry of the user's own can interrupt with a question, and the
# user's own cache is left alone.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
source "$here/../support/own_display.sh"
start_x_client env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SDL_AUDIODRIVER=dummy "$work/horavox"
clock=$started
trap 'kill $clock $bus 2>/dev/null || true' EXIT
/usr/bin/python3 "$here/settings_dialog.py" "$work/vocahora.ini"
INNER
run_on_own_display dbus-run-session -- bash "$work/inside.sh" "$work" "$here" 2> >(grep -v -E 'dbus-daemon|SpiRegistry' >&2)
