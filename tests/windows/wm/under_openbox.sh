#!/usr/bin/env bash
# Runs a program on a virtual X display of its own, managed by the openbox window manager, and
# exits with its status. Works without any display and as root, as on a build machine, and
# beside other virtual displays: the X server picks a free display number itself, and a
# display lost to a server starting at the same moment is started again.
set -euo pipefail
folder=$(mktemp -d)
pids=()
stop_display() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  pids=()
}
trap 'stop_display; rm -rf "$folder"' EXIT

# Waits until the command succeeds, while the process it depends on lives.
ready() {
  local pid=$1; shift
  for _ in $(seq 400); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

start_display() {
  rm -f "$folder/display"
  # Xvfb writes the number of the display it took once it accepts connections.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" 2>"$folder/xvfb.log" &
  pids+=($!)
  ready "${pids[0]}" test -s "$folder/display" || return 1
  export DISPLAY=":$(head -n1 "$folder/display")"
  openbox --sm-disable >"$folder/openbox.log" 2>&1 &
  pids+=($!)
  # Openbox publishes the work area once it manages the screen.
  ready "${pids[1]}" sh -c 'xprop -root _NET_WORKAREA 2>/dev/null | grep -q "="'
}

for attempt in 1 2 3; do
  start_display && break
  stop_display
  if [ "$attempt" = 3 ]; then
    echo "no virtual display with openbox:" >&2
    cat "$folder"/*.log >&2
    exit 1
  fi
done

"$@"
