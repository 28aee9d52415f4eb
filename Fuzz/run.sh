#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each one named for its number of inputs:
#   Fuzz/run.sh frames=500000 settings=30000 orc-parameters=200000   (what test.sh runs)
# (frames: the WebSocket frame parser; settings: the settings file; orc-parameters: the orcs' parameter
# files). Each starts from its seeds in Fuzz/corpus/ with its dictionary Fuzz/<name>.dict. Fails on any
# crash, sanitizer finding or broken property; the input that caused it is left in build-fuzz/ as crash-*.
set -euo pipefail
if [ $# -eq 0 ]; then
  echo "usage: Fuzz/run.sh NAME=RUNS ... (names: frames, settings, orc-parameters)" >&2
  exit 2
fi
cd "$(dirname "$0")/.."

# Each name's program, and what it feeds.
program_of() {
  case $1 in
    frames) echo "FrameParserFuzz the WebSocket frame parser" ;;
    settings) echo "SettingsFileFuzz the settings file's reader" ;;
    orc-parameters) echo "OrcParameterFileFuzz the orcs' parameter files' reader" ;;
    *) return 1 ;;
  esac
}
for run in "$@"; do
  if ! program_of "${run%%=*}" > /dev/null || ! [[ ${run#*=} =~ ^[0-9]+$ ]]; then
    echo "Fuzz/run.sh: '$run' is not NAME=RUNS (names: frames, settings, orc-parameters)" >&2
    exit 2
  fi
done

CC=clang CXX=clang++ cmake -S Fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j"$(nproc)" > /dev/null

# New inputs go to a scratch corpus, and the files the readers are handed to a scratch folder (in memory
# where there is one: the settings file is written and renamed for every input), so the checkout stays clean.
scratch=$(mktemp -d -p "$( [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")" quillmarch-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
for run in "$@"; do
  name=${run%%=*}
  runs=${run#*=}
  read -r program what <<< "$(program_of "$name")"
  seeds=()
  [ -d "Fuzz/corpus/$name" ] && seeds=("Fuzz/corpus/$name")
  mkdir -p "$scratch/$name"
  echo "== fuzzing $what for $runs inputs"
  log=build-fuzz/$name.log
  if TMPDIR=$scratch build-fuzz/$program -runs="$runs" -dict="Fuzz/$name.dict" -artifact_prefix=build-fuzz/ \
    -print_final_stats=1 "$scratch/$name" "${seeds[@]}" > "$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units)' "$log"
  else
    tail -n 40 "$log"
    echo "the $name fuzzer failed; its log is $log"
    exit 1
  fi
done
