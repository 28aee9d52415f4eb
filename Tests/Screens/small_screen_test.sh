#!/usr/bin/env bash
# The game on a 1366x768 laptop screen (run this on an X server of that size), as a new player meets it:
# its window lies inside the screen, every button of the menu answers a real click (three more opponents
# and one fewer, the settings panel and its "Back", "Start Game"), the match's score bar and clock are
# on the screen, Esc opens the match menu over it and its "Quit" ends the game with the status of a closed
# window. A player who changes no setting gets no settings file. Argument: the game.
# The screenshots land in Tests/Output/small_screen_*.png.
set -euo pipefail
game_binary=$1
here=$(cd "$(dirname "$0")" && pwd)
output=$here/../Output
scratch=$(mktemp -d)
game=
trap '[ -z "$game" ] || kill -KILL "$game" 2> /dev/null; rm -rf "$scratch"' EXIT
fail() {
  echo "FAILED: $*"
  grep -v "^Loaded texture" "$scratch/game.log" | tail -20
  exit 1
}
running() { kill -0 "$game" 2> /dev/null; }
# Waits up to a minute for the window to show $1 in the screenshot Output/small_screen_$2.png.
shows() {
  SECONDS=0
  until xwd -root -silent > "$scratch/screen.xwd" &&
    /usr/bin/python3 "$here/screen_look.py" "$1" "$scratch/screen.xwd" "$output/small_screen_$2.png" \
      "$X" "$Y" "$WIDTH" "$HEIGHT" > "$scratch/look"; do
    running || fail "the game ended; last look: $(cat "$scratch/look")"
    ((SECONDS < 60)) || fail "no $1 in $output/small_screen_$2.png: $(cat "$scratch/look")"
    sleep 0.5
  done
  echo "$2: $(cat "$scratch/look")"
}
# A click at a place in the window.
click() {
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
  sleep 0.3
}

mkdir -p "$output"
export XDG_CONFIG_HOME=$scratch/config
"$game_binary" > "$scratch/game.log" 2>&1 &
game=$!
window=
for _ in $(seq 120); do
  window=$(xdotool search --name '^Quillmarch$' 2> /dev/null | head -1) && [ -n "$window" ] && break
  running || fail "the game ended before its window opened"
  sleep 0.5
done
[ -n "$window" ] || fail "no window after a minute"
eval "$(xdotool getwindowgeometry --shell "$window")"
read -r screen_width screen_height <<< "$(xdotool getdisplaygeometry)"
echo "window ${WIDTH}x${HEIGHT} at $X,$Y on a ${screen_width}x${screen_height} screen"
((X >= 0 && Y >= 0 && X + WIDTH <= screen_width && Y + HEIGHT <= screen_height)) ||
  fail "the window does not lie inside the screen"

# The menu's buttons by its own rules (see screen_look.py).
half_w=$((WIDTH / 2)) half_h=$((HEIGHT / 2)) eighth_w=$((WIDTH / 4 / 2))
side=$((eighth_w + eighth_w / 2))
settings_y=$(((half_h + 200 < HEIGHT - 70 ? half_h + 200 : HEIGHT - 70) + 30))
shows menu menu
click $((half_w - side)) "$settings_y"
shows panel settings
click "$half_w" $((HEIGHT * 12 / 100 + HEIGHT * 75 / 1000 * 7 + HEIGHT * 75 / 1000 / 2 + WIDTH / 2 / 25 / 2))
shows menu menu_again
for _ in 1 2 3; do click $((half_w + side)) $((half_h - 40)); done
click $((half_w - side)) $((half_h - 40))
click "$half_w" $((half_h + 140))
shows match match
opponents=$(grep -c "AI player is created" "$scratch/game.log" || true)
[ "$opponents" -eq 3 ] || fail "the match has $opponents opponents, not the 3 clicked for"

xdotool key Escape
shows overlay match_menu
row=$((HEIGHT * 75 / 1000))
click "$half_w" $((half_h - (5 * row + 2 * (row / 4)) / 2 + row / 4 + 4 * row + row / 2))
for _ in $(seq 40); do running || break; sleep 0.25; done
running && fail "the match menu's Quit did not end the game"
status=0
wait "$game" || status=$?
game=
[ "$status" -eq 0 ] || fail "the game ended with status $status, not that of a closed window"
[ ! -e "$XDG_CONFIG_HOME/quillmarch" ] || fail "a settings file was written though nothing was changed"
echo "the window fits the screen, every button answers a click, the match's bar and clock are on the screen," \
  "its menu's Quit ends the game"
