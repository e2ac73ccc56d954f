#!/usr/bin/env bash
# Starts the clock from a build directory: tools/run-clock.sh <build dir>
# Without a display it runs on a virtual one (xvfb-run), which nobody sees.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
clock="$build/bin/horavox"
if [ ! -x "$clock" ]; then
  echo "No clock at $clock: build it first (bash tools/setup.sh run)." >&2
  exit 1
fi
# Qt wants a private runtime directory; a root shell or a bare container has none.
[ -n "${XDG_RUNTIME_DIR:-}" ] || export XDG_RUNTIME_DIR="$(mktemp -d)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Neither DISPLAY nor WAYLAND_DISPLAY is set: running the clock on a virtual display (xvfb-run)."
  echo "Nothing will be seen; stop it with Ctrl+C."
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$clock"
fi
exec "$clock"
