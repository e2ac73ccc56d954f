#!/usr/bin/env bash
# Runs a test program as the unprivileged user "nobody", for the tests about
# permissions, which never bind root (and CI runs as root). The program is
# copied where that user can reach it, since the build tree may not be.
# usage: run_unprivileged.sh PROGRAM ARGUMENTS...
set -euo pipefail
program=$1
shift
place=$(mktemp -d /tmp/horavox-unprivileged-XXXXXX)
trap 'rm -rf "$place"' EXIT
cp "$program" "$place/"
chmod 755 "$place" "$place/$(basename "$program")"
mkdir -m 700 "$place/runtime"
chown 65534:65534 "$place/runtime"
cd /tmp
HOME=/tmp TMPDIR=/tmp XDG_RUNTIME_DIR="$place/runtime" \
  setpriv --reuid=65534 --regid=65534 --clear-groups -- "$place/$(basename "$program")" "$@"
