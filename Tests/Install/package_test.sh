#!/usr/bin/env bash
# The Debian packages as a distribution checks them and a player gets them: both made by one cpack
# run, read by lintian (no error, no warning), installed with apt-get (their dependencies from
# Debian), their metainfo, desktop entry and manual pages checked where they landed, every command's
# version, the game started to its start menu (run this under xvfb-run) and the observer to its page,
# then purged, with whatever apt-get added for them: no file of theirs is left.
# It installs into /usr, so it needs root. Arguments: the build folder, the project version, then
# the generated asset files.
# shellcheck source-path=SCRIPTDIR source=installed_game.sh
source "$(dirname "$0")/installed_game.sh"
build=$(cd "$1" && pwd)
version=$2
shift 2
[ "$(id -u)" -eq 0 ] || {
  echo "skipped: installing the packages needs root"
  exit 77
}
packages=(quillmarch quillmarch-observer)
for package in "${packages[@]}"; do
  if dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q "ok installed"; then
    fail "$package is installed on this machine and this test would remove it: apt-get purge $package"
  fi
done

quietly cpack --config "$build/CPackConfig.cmake" -B "$scratch/packages"
game_package=$scratch/packages/quillmarch_${version}_$(dpkg --print-architecture).deb
observer_package=$scratch/packages/quillmarch-observer_${version}_all.deb
debs=("$game_package" "$observer_package")
contents() { dpkg-deb --contents "$1" | awk '{print substr($6, 2)}'; }
wanted=(/usr/games/quillmarch /usr/games/quillmarch-match-runner /usr/share/man/man6/quillmarch.6.gz)
for asset in "$@"; do
  # The icons live with the desktop's theme.
  [[ $asset == Icons/* ]] || wanted+=("/usr/share/games/quillmarch/Assets/$asset")
done
# Listed once: grep -q would stop reading early, and pipefail would take dpkg-deb's SIGPIPE for a miss.
game_files=$(contents "$game_package")
for file in "${wanted[@]}"; do
  grep -qx -- "$file" <<< "$game_files" || fail "the game's package lacks $file"
done
depends=$(dpkg-deb --field "$game_package" Depends)
for library in libirrlicht1.8 librecast1 libopenal1 libsndfile1; do
  grep -q "\b$library\b" <<< "$depends" || fail "the game's package does not depend on $library: $depends"
done
echo "the game's package holds its commands and assets and names its libraries"

# lintian says that it runs as root, on its error stream; the rest is its verdict.
verdict=$(lintian "${debs[@]}" 2> "$scratch/lintian.log") || true
[ -z "$verdict" ] || fail "lintian finds fault with the packages:"$'\n'"$verdict"
grep -v "running with root privileges" "$scratch/lintian.log" && fail "lintian could not check the packages"
echo "lintian has nothing to say"

# What the machine has before: which of the packages' paths are there already, and which packages
# apt-get is about to add (the two and any dependency missing; it would show an upgrade with the
# version it replaces, and this test upgrades nothing).
apt() { quietly env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"; }
installed() {
  [ $# -gt 0 ] || return 0
  { dpkg-query -W -f='${db:Status-Status} ${Package}\n' "$@" 2> /dev/null || true; } | awk '$1 == "installed" {print $2}'
}
for deb in "${debs[@]}"; do
  contents "$deb"
done | sort -u > "$scratch/paths"
while read -r path; do
  [ ! -e "$path" ] || echo "$path"
done < "$scratch/paths" > "$scratch/paths-before"
apt install --simulate --no-install-recommends "${debs[@]}"
mapfile -t added < <(awk '/^Inst [^ ]+ [^[]/ {print $2}' "$scratch/log")
if [ ${#added[@]} -eq 0 ] || [ -n "$(installed "${added[@]}")" ]; then
  fail "apt-get would not just add packages: $(cat "$scratch/log")"
fi
# The packages' paths that were not there before and still are, deepest first.
leftovers() {
  sort -r "$scratch/paths" | while read -r path; do
    [ ! -e "$path" ] || grep -qx -- "$path" "$scratch/paths-before" || echo "$path"
  done
}
# On every exit, failures too: purge what is still installed and remove what was left behind.
clean_up_machine() {
  local left
  [ -z "${observer:-}" ] || kill -KILL "$observer" 2> /dev/null || true
  mapfile -t left < <(installed "${added[@]}")
  [ ${#left[@]} -eq 0 ] || apt purge "${left[@]}"
  leftovers | xargs -r rm -rf --
}
apt install --no-install-recommends "${debs[@]}"
echo "apt-get installs both packages"

metainfo=$(grep -x '/usr/share/metainfo/.*\.metainfo\.xml' <<< "$game_files")
id=$(basename "$metainfo" .metainfo.xml)
validation=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "$validation"
! grep -q "^ *[EW]: " <<< "$validation" || fail "appstreamcli finds fault with $metainfo: $validation"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "$metainfo does not launch $id.desktop"
validation=$(desktop-file-validate "/usr/share/applications/$id.desktop" 2>&1) || true
[ -z "$validation" ] || fail "the desktop entry is not valid: $validation"
echo "the metainfo and the desktop entry $id are valid"

commands=(/usr/games/quillmarch /usr/games/quillmarch-match-runner /usr/games/quillmarch-tournament
  /usr/games/quillmarch-observer)
check_versions "$version" "${commands[@]}"
# Every option a command lists in its help is an item of its manual page.
for command in "${commands[@]}"; do
  page=/usr/share/man/man6/$(basename "$command").6.gz
  text=$(MANWIDTH=1000 man -E ascii -l "$page" 2> /dev/null | col -b)
  for option in $("$command" --help | grep -o -- '\(^\|[ ,]\)--\?[a-z][a-z-]*' | tr -d ' ,' | sort -u); do
    grep -Eq -- "^ +([^ ]+, )*$option( |,|$)" <<< "$text" || fail "$page does not document $option"
  done
done
echo "the manual pages document every option"

cd "$scratch" || exit
start_game /usr/games/quillmarch /usr/share/games/quillmarch/Assets
stop_game TERM

: > observer.log
/usr/games/quillmarch-observer --port 0 --no-record > observer.log 2>&1 &
observer=$!
SECONDS=0
until address=$(grep -o "http://localhost:[0-9]*/" observer.log); do
  kill -0 "$observer" 2> /dev/null || fail "the observer ended: $(cat observer.log)"
  ((SECONDS < 30)) || fail "the observer says no address: $(cat observer.log)"
  sleep 0.2
done
# Its page, and the Chart.js it names: Debian's file.
/usr/bin/python3 - "$address" << 'END' || fail "the observer's page is not served at $address"
import re, sys, urllib.request
page = urllib.request.urlopen(sys.argv[1]).read().decode()
script = re.search(r'<script src="/(chart\.js/[^"]+)"', page).group(1)
served = urllib.request.urlopen(sys.argv[1] + script).read()
with open("/usr/share/javascript/" + script, "rb") as packaged:
    sys.exit(0 if "Quillmarch observer" in page and served == packaged.read() else 1)
END
kill -TERM "$observer"
wait "$observer" || fail "the observer ended with status $? on SIGTERM: $(cat observer.log)"
observer=
echo "the observer serves its page and Debian's Chart.js at $address"

apt purge "${added[@]}"
remains=$(leftovers | tr '\n' ' ')
[ -z "$remains" ] || fail "purging the packages left $remains"
echo "purging ${#added[@]} packages leaves no file of theirs"
