#!/usr/bin/env bash
# Builds the Debian package from the build folder given (the generated asset files follow it), checks
# what it holds and what it depends on, then installs and removes it with dpkg inside a temporary
# root: nothing is installed on this machine.
set -euo pipefail
build=$1
shift
assets=("$@")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAILED: $*"
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" > "$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack could not build the package"; }
package=$(ls "$scratch"/out/quillmarch_*.deb)
echo "package: $(basename "$package"), $(du -k "$package" | cut -f1) KB"

contents=$(dpkg-deb --contents "$package" | awk '{print $6}')
for file in ./usr/bin/quillmarch ./usr/libexec/quillmarch/Quillmarch ./usr/share/applications/quillmarch.desktop \
  ./usr/share/icons/hicolor/256x256/apps/quillmarch.png; do
  grep -qx -- "$file" <<< "$contents" || fail "the package lacks $file"
done
# Every generated asset but the icons, which live with the desktop's theme.
for asset in "${assets[@]}"; do
  case $asset in Icons/*) continue ;; esac
  grep -qx -- "./usr/share/quillmarch/Assets/$asset" <<< "$contents" || fail "the package lacks the asset $asset"
done

depends=$(dpkg-deb --field "$package" Depends)
echo "depends: $depends"
for library in libirrlicht1.8 librecast1 libopenal1 libsndfile1 libstdc++6 libc6; do
  grep -q "\b$library\b" <<< "$depends" || fail "the package does not depend on $library"
done

# Installed into and removed from an empty root of its own; its dependencies are not there.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_in_root() {
  dpkg --root="$root" --force-not-root --force-depends --force-script-chrootless --log=/dev/null "$@" \
    > "$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log"; fail "dpkg $*"; }
}
dpkg_in_root --install "$package"
[ -x "$root/usr/bin/quillmarch" ] || fail "dpkg did not install usr/bin/quillmarch"
dpkg_in_root --purge quillmarch
left=$(find "$root" -mindepth 1 ! -path "$root/var/lib/dpkg*" ! -type d)
[ -z "$left" ] || fail "removing the package left $left"
echo "installs and removes cleanly"
