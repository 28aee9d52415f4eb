#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Arguments go to the game ("ws" turns
# on the telemetry stream to ws://localhost:1337).
set -euo pipefail
cd "$(dirname "$0")"

./install.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target Quillmarch
# The game reads its assets from ../Assets, so it runs from a folder one level below this one.
cd build
exec ./Quillmarch "$@"
