#!/usr/bin/env bash
# Runs a program on a virtual X display of its own, managed by the openbox window manager, and
# exits with its status. Works without any display and as root, as on a build machine.
set -euo pipefail
if [ -z "${QRV_UNDER_OPENBOX:-}" ]; then
  export QRV_UNDER_OPENBOX=1
  exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# Openbox publishes the work area once it manages the screen.
for _ in $(seq 200); do
  xprop -root _NET_WORKAREA 2>/dev/null | grep -q '=' && break
  kill -0 "$wm" 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
  sleep 0.05
done
xprop -root _NET_WORKAREA | grep -q '=' || { echo "openbox did not take the screen" >&2; exit 1; }
"$@"
