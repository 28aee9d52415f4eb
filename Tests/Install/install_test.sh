#!/usr/bin/env bash
# The game as a player gets it, with nothing installed on this machine: installed into a temporary
# prefix that is then moved, started by its command from an unrelated folder until its start menu
# shows (run this under xvfb-run), closed by Ctrl+C and by a polite kill; its desktop entry; its
# Debian package, read, then installed into and removed from an empty root of its own.
# Arguments: the build folder, then the generated asset files.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
screenshot=$here/../Output/installed_start_menu.png
scratch=$(mktemp -d)
game=
trap '[ -z "$game" ] || kill -KILL "$game" 2> /dev/null; rm -rf "$scratch"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}
quietly() { "$@" > "$scratch/log" 2>&1 || { cat "$scratch/log"; fail "$*"; }; }
game_failed() {
  cat game.log
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
  xwd -root -silent > screen.xwd && /usr/bin/python3 "$here/start_menu_shown.py" screen.xwd "$screenshot"
}

quietly cmake --install "$build" --prefix "$scratch/installed"
prefix=$scratch/moved/prefix
mkdir "$scratch/moved" && mv "$scratch/installed" "$prefix"
mkdir "$scratch/elsewhere" && cd "$scratch/elsewhere"

# Job control, as in a terminal: a script's background job would ignore Ctrl+C, and so would the game.
set -m
mkdir -p "$(dirname "$screenshot")"
for signal in INT TERM; do
  "$prefix/bin/quillmarch" > game.log 2>&1 &
  game=$!
  SECONDS=0
  until menu_shown; do
    still_running_after 1 || game_failed "the game ended before its start menu showed"
    ((SECONDS < 120)) || game_failed "no start menu, see $screenshot"
  done
  kill "-$signal" "$game"
  if still_running_after 60; then fail "the game still runs 30 s after SIG$signal"; fi
  status=0
  wait "$game" || status=$?
  game=
  [ "$status" -eq 0 ] || game_failed "the game ended with status $status on SIG$signal"
  ! grep -q "ERROR: " game.log || game_failed "the game reported errors"
  # Its menu draws with the built-in font when it cannot find its own.
  grep -q "Loaded texture: $prefix/share/quillmarch/Assets/Fonts/" game.log ||
    game_failed "the game did not read its installed fonts"
  echo "shows its start menu, ends with status 0 on SIG$signal"
done

# The tournament plays with the installed runner, its parameter files relative to where it is typed.
touch today.ini
if ! played=$("$prefix/bin/quillmarch-tournament" --set a=today.ini --set b=today.ini --matches 2 --frame-ms 40 2>&1) ||
  ! grep -q "^2 of 2 matches played" <<< "$played"; then
  fail "the installed tournament did not play: $played"
fi
echo "the installed tournament plays two matches with the installed runner"

if ! validation=$(desktop-file-validate "$prefix/share/applications/quillmarch.desktop" 2>&1) ||
  [ -n "$validation" ]; then
  fail "the desktop entry is not valid: $validation"
fi

quietly cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package"
package=$(echo "$scratch"/package/quillmarch_*.deb)
contents=$(dpkg-deb --contents "$package" | awk '{print $6}')
wanted=(bin/quillmarch libexec/quillmarch/Quillmarch share/applications/quillmarch.desktop
  share/icons/hicolor/256x256/apps/quillmarch.png)
for asset in "$@"; do
  # The icons live with the desktop's theme.
  [[ $asset == Icons/* ]] || wanted+=("share/quillmarch/Assets/$asset")
done
for file in "${wanted[@]}"; do
  grep -qx -- "./usr/$file" <<< "$contents" || fail "the package lacks /usr/$file"
done
depends=$(dpkg-deb --field "$package" Depends)
for library in libirrlicht1.8 librecast1 libopenal1 libsndfile1; do
  grep -q "\b$library\b" <<< "$depends" || fail "the package does not depend on $library: $depends"
done
echo "the package holds the game, its assets, desktop entry and icon, and names its libraries"

# Its dependencies are not in that root, and no maintainer script may run outside it.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" && touch "$root/var/lib/dpkg/status"
in_root() {
  quietly dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless --log=/dev/null "$@"
}
in_root --install "$package"
[ -x "$root/usr/bin/quillmarch" ] || fail "dpkg did not install /usr/bin/quillmarch"
in_root --purge quillmarch
left=$(find "$root" -mindepth 1 ! -path "$root/var/lib/dpkg*" ! -type d)
[ -z "$left" ] || fail "removing the package left $left"
echo "the package installs and removes cleanly"
