# shellcheck shell=bash
# Sourced by the install and package tests: a scratch folder (also the home of everything they
# start, so that nothing lands in the real one), failing with a reason, the installed commands'
# versions, and the installed game started until its start menu shows (under xvfb-run) and stopped.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
screenshot=$here/../Output/installed_start_menu.png
scratch=$(mktemp -d)
export HOME=$scratch/home XDG_CACHE_HOME=$scratch/home/.cache XDG_DATA_HOME=$scratch/home/.local/share
# As a player runs them: Python writes its bytecode unless the installed command says otherwise.
unset PYTHONDONTWRITEBYTECODE
mkdir -p "$HOME" "$(dirname "$screenshot")"
game=
# A test may define clean_up_machine, run on every exit, for what it changed outside the scratch.
leave() {
  [ -z "$game" ] || kill -KILL "$game" 2> /dev/null || true
  ! declare -F clean_up_machine > /dev/null || clean_up_machine
  rm -rf "$scratch"
}
trap leave EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}
quietly() { "$@" > "$scratch/log" 2>&1 || { cat "$scratch/log"; fail "$*"; }; }

# check_versions <version> <command>...: each command's --version names the version.
check_versions() {
  local version=$1 command said
  shift
  for command do
    said=$("$command" --version 2>&1) || fail "$command --version failed: $said"
    grep -Fqw -- "$version" <<< "$said" || fail "$command --version says '$said', not $version"
  done
  echo "every command says it is version $version"
}

game_failed() {
  cat "$scratch/game.log"
  fail "$@"
}
# Whether $game still runs after up to $1 half-second waits.
still_running_after() {
  for _ in $(seq "$1"); do
    kill -0 "$game" 2> /dev/null || return 1
    sleep 0.5
  done
}
menu_shown() {
  xwd -root -silent > "$scratch/screen.xwd" &&
    /usr/bin/python3 "$here/start_menu_shown.py" "$scratch/screen.xwd" "$screenshot"
}

# start_game <command> <assets folder>: starts the installed game and waits for its start menu.
start_game() {
  game_assets=$2
  # Job control, as in a terminal: a script's background job would ignore Ctrl+C, and so would the game.
  set -m
  "$1" > "$scratch/game.log" 2>&1 &
  game=$!
  SECONDS=0
  until menu_shown; do
    still_running_after 1 || game_failed "the game ended before its start menu showed"
    ((SECONDS < 120)) || game_failed "no start menu, see $screenshot"
  done
}

# stop_game <signal>: the game must end by it, with status 0 and no error, having drawn its menu
# with the fonts of the installed assets folder (it falls back on a built-in font).
stop_game() {
  local status=0
  kill "-$1" "$game"
  if still_running_after 60; then fail "the game still runs 30 s after SIG$1"; fi
  wait "$game" || status=$?
  game=
  [ "$status" -eq 0 ] || game_failed "the game ended with status $status on SIG$1"
  ! grep -q "ERROR: " "$scratch/game.log" || game_failed "the game reported errors"
  grep -q "Loaded texture: $game_assets/Fonts/" "$scratch/game.log" ||
    game_failed "the game did not read its installed fonts"
  echo "the game shows its start menu and ends with status 0 on SIG$1"
}
