#!/usr/bin/env bash
# The game over a long evening: matches one after another in its real window, on an Xvfb screen of its
# own with the OpenGL driver and sound on OpenAL Soft's null output, each started by a pointer click on the
# menu's "Start Game" and streamed to the observer, which records it. After each match, back at the menu,
# it reads the game's resident memory, the frame rates the game reported in the recording, whether the
# recording replays whole, and the lines of the game's log that warn or name an OpenGL error (Mesa names
# every one with MESA_DEBUG set).
#
# Usage, from the repository root after a build: Tools/Soak/drawn_soak.sh --matches N [--build DIR]
# One line per match, then one saying whether the goals held: resident memory after the last match within
# 5 % of that after match 3, no OpenGL error, no warning line that match 1 did not have, every recording
# replays. Exit status 0 when they held, 1 when not, 2 when the soak could not run.
set -euo pipefail

readonly MATCH_SECONDS=93             # the game returns to its menu by itself this long after the click
readonly SCREEN=1920x1200x24          # taller than the window, so that nothing makes it smaller
readonly MEMORY_REFERENCE_MATCH=3     # the first two matches still fill the engine's caches
readonly MEMORY_GOAL_PERCENT=5
readonly MENU_WAIT_SECONDS=120        # from the start to the first menu, on a busy machine
readonly START_WAIT_SECONDS=20        # from a click to the match's first log line
readonly START_CLICKS=3
readonly RETURN_WAIT_SECONDS=$((MATCH_SECONDS + 60))
readonly SETTLE_SECONDS=1             # for the menu's first frames and the observer's last lines
readonly CLOSE_WAIT_SECONDS=30
readonly MENU_LINE="MESSAGE: Initialize the main menu scene"
readonly MATCH_LINE="MESSAGE: Initialize the game scene"
# Warning lines of the game, the engine library, OpenAL Soft and Mesa, which prefix them differently.
readonly WARNING_PATTERN='warn|error|fail|could not|cannot|unable|\((WW|EE)\)|traceback'
readonly GL_ERROR_PATTERN='Mesa: User error|GL_INVALID_|GL_OUT_OF_MEMORY|GL_STACK_(OVER|UNDER)FLOW'

root=$(cd "$(dirname "$0")/../.." && pwd)
usage() {
  echo "Usage: $0 --matches N [--build DIR]   (from the repository root, after a build; DIR defaults to build)"
}
fail() {
  echo "ERROR: $*" >&2
  exit 2
}

matches=
build=build
while [ $# -gt 0 ]; do
  case $1 in
    --matches=* | --build=*) value=${1#*=} option=${1%%=*} && shift ;;
    --matches | --build) value=${2:-} option=$1 && shift $(($# > 1 ? 2 : 1)) ;;
    -h | --help) usage && exit 0 ;;
    *) usage >&2 && fail "unknown option '$1'" ;;
  esac
  if [ "$option" = --matches ]; then matches=$value; else build=$value; fi
done
[[ $matches =~ ^[1-9][0-9]{0,3}$ ]] || { usage >&2 && fail "--matches takes a number of matches from 1 to 9999"; }
game=$(cd "$build" 2> /dev/null && pwd)/Quillmarch || true
[ -x "$game" ] || fail "no game at $build/Quillmarch: build it first (cmake -S . -B build && cmake --build build -j2)"
[ -f "$root/Assets/Models/Arena2/ARENA_MESH.obj" ] || fail "no assets in $root/Assets: build the QuillmarchAssets target"
for tool in Xvfb xdotool /usr/bin/python3; do
  command -v "$tool" > /dev/null || fail "$tool is missing: run ./install.sh"
done

work=$(dirname "$game")/soak
rm -rf "$work"
mkdir -p "$work/recordings" "$work/config" "$work/data"
game_log=$work/game.log
observer_log=$work/observer.log

# Everything started here is stopped on every way out, newest first: the game before the observer it
# streams to, both before the screen they draw on.
started=()
running() {
  local state
  state=$(ps -o stat= -p "$1" 2> /dev/null) && [[ $state != Z* ]]
}
# stop <pid> <seconds>: SIGTERM, then SIGKILL if it still runs after that long.
stop() {
  kill -TERM "$1" 2> /dev/null || return 0
  for ((tenth = 0; tenth < $2 * 10; tenth++)); do
    running "$1" || return 0
    sleep 0.1
  done
  kill -KILL "$1" 2> /dev/null || true
}
stop_everything() {
  local index
  trap '' INT TERM HUP # a second Ctrl+C must not cut the cleaning up short
  for ((index = ${#started[@]} - 1; index >= 0; index--)); do
    stop "${started[index]}" 5
    wait "${started[index]}" 2> /dev/null || true
  done
  started=()
}
trap stop_everything EXIT
trap 'echo "drawn soak: interrupted" >&2; exit 130' INT TERM HUP

# The soak cannot go on: says why, with the end of the log that tells, and ends with status 1.
abort() {
  echo "ERROR: $1 (files in $work)" >&2
  [ -z "${2:-}" ] || tail -n 20 "$2" | sed 's/^/  | /' >&2
  exit 1
}
log_count() {
  grep -csF -- "$1" "$game_log" || true
}
# wait_for_game_line <line> <count> <seconds>: until the game's log holds the line that often; false when
# the time runs out first. The soak ends if the game does.
wait_for_game_line() {
  local deadline=$((SECONDS + $3))
  local status=0
  until [ "$(log_count "$1")" -ge "$2" ]; do
    if ! running "$game_pid"; then
      wait "$game_pid" || status=$?
      abort "the game ended with status $status" "$game_log"
    fi
    ((SECONDS < deadline)) || return 1
    sleep 0.5
  done
}

start_screen() {
  Xvfb -displayfd 3 -screen 0 "$SCREEN" -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
  started+=($!)
  local deadline=$((SECONDS + 30))
  until [ -s "$work/display" ]; do
    running "${started[-1]}" || abort "Xvfb did not start" "$work/xvfb.log"
    ((SECONDS < deadline)) || abort "Xvfb gave no display within 30 s" "$work/xvfb.log"
    sleep 0.1
  done
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
}

start_observer() {
  /usr/bin/python3 -u "$root/Tools/Observer/observer.py" --record-dir "$work/recordings" > "$observer_log" 2>&1 &
  started+=($!)
  local deadline=$((SECONDS + 30))
  until grep -qs "^Observer page:" "$observer_log"; do
    running "${started[-1]}" || abort "the observer did not start" "$observer_log"
    ((SECONDS < deadline)) || abort "the observer did not listen within 30 s" "$observer_log"
    sleep 0.1
  done
}

# The game as a player starts it, one level below the repository root so that ../Assets resolves, with
# settings of the soak's own.
start_game() {
  (cd "$root/Tests" && exec env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    MESA_DEBUG=1 ALSOFT_DRIVERS=null "$game" ws) > "$game_log" 2>&1 &
  game_pid=$!
  started+=("$game_pid")
  wait_for_game_line "$MENU_LINE" 1 "$MENU_WAIT_SECONDS" || abort "no start menu within $MENU_WAIT_SECONDS s" "$game_log"
}

# The game's window: on this screen of its own, the one mapped top-level window with a caption.
game_window() {
  xdotool search --onlyvisible --maxdepth 1 --name . 2> /dev/null | head -n 1 || true
}

# A real pointer click at the centre of "Start Game", placed by the menu's own rule from the window's size:
# from W/2 - W/4 to W/2 + W/4 across, from H/2 + 100 to H/2 + 180 down.
click_start_game() {
  local window size
  window=$(game_window)
  size=$(xdotool getwindowgeometry --shell "$window" 2> /dev/null | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | xargs || true)
  [[ $size =~ ^([0-9]+)\ ([0-9]+)$ ]] || abort "the game has no window on $DISPLAY" "$game_log"
  xdotool mousemove --window "$window" $((BASH_REMATCH[1] / 2)) $((BASH_REMATCH[2] / 2 + 140)) click 1
}

# start_match <number>: clicks until the match begins; `clicks` says how many it took.
start_match() {
  for ((clicks = 1; clicks <= START_CLICKS; clicks++)); do
    click_start_game
    ! wait_for_game_line "$MATCH_LINE" "$1" "$START_WAIT_SECONDS" || return 0
  done
  abort "match $1 did not start after $START_CLICKS clicks on Start Game" "$game_log"
}

resident_kb() {
  running "$game_pid" || abort "the game ended" "$game_log"
  awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status"
}
recordings() {
  find "$work/recordings" -name '*.jsonl' | LC_ALL=C sort
}
# new_lines <old> <now>: the lines of the sorted text <now> that the sorted text <old> lacks.
new_lines() {
  LC_ALL=C comm -13 <(echo "$1") <(echo "$2") | sed '/^$/d'
}
# said <text> <label>: each line of the text under the label, and how many there were added to `said_lines`.
said() {
  said_lines=0
  [ -n "$1" ] || return 0
  said_lines=$(wc -l <<< "$1")
  while IFS= read -r text; do echo "  $2: $text"; done <<< "$1"
}

first_warnings= # the warning lines of match 1, sorted, each once
new_warnings=0
gl_errors=0
logged=0 # lines of the game's log already judged
# judge_log <label>: the game's log since the last call: its OpenGL errors, and its warning lines that match
# 1 did not have (which are match 1's own on the first call).
judge_log() {
  local lines warnings
  lines=$(wc -l < "$game_log")
  warnings=$(sed -n "$((logged + 1)),${lines}p" "$game_log" | grep -Ei -- "$WARNING_PATTERN" |
    grep -Ev -- "$GL_ERROR_PATTERN" | LC_ALL=C sort -u || true)
  if ((logged == 0)); then
    first_warnings=$warnings
  else
    said "$(new_lines "$first_warnings" "$warnings")" "new warning$1"
    new_warnings=$((new_warnings + said_lines))
  fi
  said "$(sed -n "$((logged + 1)),${lines}p" "$game_log" | grep -E -- "$GL_ERROR_PATTERN" || true)" "OpenGL error$1"
  gl_errors=$((gl_errors + said_lines))
  logged=$lines
}

field() {
  sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" <<< "$2"
}
replaying=0
# judge_recording <recordings before the match>: the frame rates and whether the match's recording
# replays, as a piece of the match's line in `recording_said`; counts it in `replaying`.
judge_recording() {
  local files summary replay
  mapfile -t files < <(new_lines "$1" "$(recordings)")
  summary=$(/usr/bin/python3 "$root/Tools/Soak/match_recording.py" "${files[@]}" 2>> "$work/recordings.log") || true
  replay=$(sed -n 's/.*replay=//p' <<< "$summary")
  [ "$replay" != ok ] || replaying=$((replaying + 1))
  if [ -n "$(field fps "$summary")" ]; then
    recording_said="$(field fps "$summary") fps (median of $(field stats "$summary") reports"
    recording_said+=", lowest $(field fps_lowest "$summary") after the first seconds)"
  else
    recording_said="no frame rate reported"
  fi
  recording_said+=", $(field messages "$summary") messages recorded, replay: ${replay:-not read}"
}

# close_game: as the desktop closes it; `closing` stays empty when it ended cleanly, else says what went wrong.
close_game() {
  local status=0 deadline=$((SECONDS + CLOSE_WAIT_SECONDS))
  closing=
  kill -TERM "$game_pid"
  while running "$game_pid"; do
    ((SECONDS < deadline)) || { closing="the game did not close within $CLOSE_WAIT_SECONDS s of SIGTERM" && return; }
    sleep 0.2
  done
  wait "$game_pid" || status=$?
  ((status == 0)) || closing="the game closed with status $status"
}

start_screen
start_observer
start_game
echo "drawn soak, matches: $matches, on $DISPLAY ($SCREEN); the game's log, the observer's and the recordings in $work"

declare -a resident
for ((match = 1; match <= matches; match++)); do
  before=$(recordings)
  began=$SECONDS
  start_match "$match"
  wait_for_game_line "$MENU_LINE" $((match + 1)) "$RETURN_WAIT_SECONDS" ||
    abort "match $match did not return to the menu within $RETURN_WAIT_SECONDS s" "$game_log"
  sleep "$SETTLE_SECONDS"
  resident[match]=$(resident_kb)
  judge_recording "$before"
  line="match $match: ${resident[match]} KB resident, $recording_said, $((SECONDS - began)) s"
  ((clicks == 1)) || line+=", started by click $clicks"
  echo "$line"
  judge_log ""
done

close_game
judge_log " at closing"
said "$(grep -Ei -- "$WARNING_PATTERN" "$observer_log" || true)" "observer"
new_warnings=$((new_warnings + said_lines))

held=true
if ((matches > MEMORY_REFERENCE_MATCH)); then
  percent=$(awk -v now="${resident[matches]}" -v then="${resident[MEMORY_REFERENCE_MATCH]}" \
    'BEGIN { printf "%+.1f", (now - then) * 100 / then }')
  goals=("memory after match $matches $percent % against match $MEMORY_REFERENCE_MATCH (goal within $MEMORY_GOAL_PERCENT %)")
  awk -v p="$percent" -v goal="$MEMORY_GOAL_PERCENT" 'BEGIN { exit !(-goal <= p && p <= goal) }' || held=false
else
  goals=("memory not judged: it takes more than $MEMORY_REFERENCE_MATCH matches")
fi
if ((gl_errors == 0)); then goals+=("no OpenGL error"); else goals+=("OpenGL error lines: $gl_errors") && held=false; fi
if ((new_warnings == 0)); then
  goals+=("no warning line new since match 1")
else
  goals+=("warning lines new since match 1: $new_warnings") && held=false
fi
goals+=("$replaying of $matches recordings replay")
((replaying == matches)) || held=false
[ -z "$closing" ] || { goals+=("$closing") && held=false; }

verdict="goals held"
$held || verdict="goals NOT held"
joined=$(printf '; %s' "${goals[@]}")
echo "$verdict: ${joined#; }"
$held || exit 1
