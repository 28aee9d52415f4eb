#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs every test twice: once
# plainly and once with AddressSanitizer and UndefinedBehaviorSanitizer.
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
run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILLMARCH_SANITIZE=ON -DQUILLMARCH_TESTS=ON -DQUILLMARCH_BENCHMARKS=OFF
echo "== all tests passed"
