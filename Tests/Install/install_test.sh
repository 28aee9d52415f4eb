#!/usr/bin/env bash
# The game as `cmake --install` leaves it, with nothing installed on this machine: installed into a
# temporary prefix that is then moved, its commands run from an unrelated folder: the game until its
# start menu shows (run this under xvfb-run), closed by Ctrl+C; the match runner writing its
# telemetry file where it was typed; every command's version.
# Arguments: the build folder, the project version.
# shellcheck source-path=SCRIPTDIR source=installed_game.sh
source "$(dirname "$0")/installed_game.sh"
build=$(cd "$1" && pwd)
version=$2

quietly cmake --install "$build" --prefix "$scratch/installed"
prefix=$scratch/moved/prefix
mkdir "$scratch/moved" && mv "$scratch/installed" "$prefix"
mkdir "$scratch/elsewhere" && cd "$scratch/elsewhere" || exit

start_game "$prefix/bin/quillmarch" "$prefix/share/quillmarch/Assets"
stop_game INT

# The runner itself runs inside the assets folder: its file names must keep to where they were typed.
for option in "--telemetry spaced.jsonl" "--telemetry=joined.jsonl"; do
  # shellcheck disable=SC2086 # the option and its value are two words, or one
  quietly "$prefix/bin/quillmarch-match-runner" --orcs 1 --frame-ms 1000 $option
  file=${option##*[ =]}
  grep -q '"type": "player"' "$file" || fail "no telemetry in $PWD/$file after $option"
done
echo "the match runner writes its telemetry where it was typed"

# The tournament plays with the installed runner, its parameter files relative to where it is typed.
touch today.ini
if ! played=$("$prefix/bin/quillmarch-tournament" --set a=today.ini --set b=today.ini --matches 2 --frame-ms 40 2>&1) ||
  ! grep -q "^2 of 2 matches played" <<< "$played"; then
  fail "the installed tournament did not play: $played"
fi
echo "the installed tournament plays two matches with the installed runner"

check_versions "$version" "$prefix"/bin/*
