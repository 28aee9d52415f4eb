#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Arguments go to the game ("ws" turns
# on the telemetry stream to ws://localhost:1337), except for "observe" below.
set -euo pipefail
cd "$(dirname "$0")"

./install.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target Quillmarch
# "observe [observer options]": the observer first, then the game streaming to it; the observer stops
# when the game does.
if [ "${1:-}" = observe ]; then
  shift
  /usr/bin/python3 Tools/Observer/observer.py "$@" &
  observer=$!
  trap 'kill "$observer" 2>/dev/null || true' EXIT
  until (exec 3<>/dev/tcp/127.0.0.1/1337) 2>/dev/null; do
    kill -0 "$observer" 2>/dev/null || exit 1 # it said why
    sleep 0.1
  done
  cd build
  ./Quillmarch ws
  exit
fi
# The game reads its assets from ../Assets, so it runs from a folder one level below this one.
cd build
exec ./Quillmarch "$@"
