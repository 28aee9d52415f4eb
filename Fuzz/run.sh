#!/usr/bin/env bash
# Builds the frame parser's fuzzer with clang and runs it for <runs> inputs. Fails on any crash or
# sanitizer finding; the input that caused it is left in build-fuzz/ as crash-*.
set -euo pipefail
runs=${1:?usage: Fuzz/run.sh <runs>}
cd "$(dirname "$0")/.."

CC=clang CXX=clang++ cmake -S Fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j"$(nproc)" > /dev/null

# New inputs go to a scratch corpus, so the checkout stays clean.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
echo "== fuzzing the frame parser for $runs inputs"
log=build-fuzz/fuzz.log
if build-fuzz/FrameParserFuzz -runs="$runs" -dict=Fuzz/frames.dict -artifact_prefix=build-fuzz/ \
  -print_final_stats=1 "$corpus" > "$log" 2>&1; then
  grep -E '^(Done|stat::number_of_executed_units)' "$log"
else
  tail -n 40 "$log"
  echo "the frame parser's fuzzer failed; its log is $log"
  exit 1
fi
