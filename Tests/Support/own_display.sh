#!/usr/bin/env bash
# Runs a command on an X server of its own: Xvfb names the display it took (-displayfd), where
# xvfb-run -a guesses a free number, and two tests starting at once may guess the same one and then
# draw on each other's screen, of the other's size.
# Usage: own_display.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENT...]
set -euo pipefail
screen=$1
shift
scratch=$(mktemp -d)
xvfb=
stop_server() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2> /dev/null || true
    wait "$xvfb" 2> /dev/null || true
  fi
  rm -rf "$scratch"
}
trap stop_server EXIT
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3> "$scratch/display" 2> "$scratch/xvfb.log" &
xvfb=$!
SECONDS=0
until [ -s "$scratch/display" ]; do
  if ! kill -0 "$xvfb" 2> /dev/null || ((SECONDS >= 30)); then
    echo "ERROR: Xvfb gave no display:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
DISPLAY=:$(head -n 1 "$scratch/display")
export DISPLAY
status=0
"$@" || status=$?
exit "$status"
