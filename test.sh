#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs every test twice: once
# plainly and once with AddressSanitizer and UndefinedBehaviorSanitizer. Between the two it runs
# clang-tidy over the game's code and short runs of the fuzzers (about 15 s each on two cores).
set -euo pipefail
cd "$(dirname "$0")"

./install.sh

echo "== formatting"
git ls-files -co --exclude-standard -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  echo "== build ($dir)"
  cmake -S . -B "$dir" "$@" > /dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== tests ($dir)"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARCH_TESTS=ON -DQUILLMARCH_BENCHMARKS=ON

echo "== clang-tidy"
tidy_log=build/clang-tidy.log
if ! git ls-files -co --exclude-standard -- 'Source/*.cpp' |
  xargs -P"$jobs" -n4 clang-tidy -p build --quiet > "$tidy_log" 2>&1; then
  grep -v "warnings generated" "$tidy_log"
  echo "clang-tidy found problems (full log: $tidy_log)"
  exit 1
fi

./Fuzz/run.sh frames=500000 settings=30000 orc-parameters=200000

run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILLMARCH_SANITIZE=ON -DQUILLMARCH_TESTS=ON -DQUILLMARCH_BENCHMARKS=OFF
echo "== all tests passed"
