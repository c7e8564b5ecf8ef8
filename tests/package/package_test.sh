#!/usr/bin/env bash
# Builds the Debian package from this build and from a second build of the
# same tree in another folder: both must be the same bytes, hardened and
# lintian-clean. Then plays a short headless game from the unpacked package.
set -euo pipefail
source=${1:?source folder}
build=$(cd "${2:?build folder}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

package() {
  (cd "$1" && cpack -G DEB -B "$2" >"$2.log" 2>&1) || { cat "$2.log"; fail "cpack in $1"; }
  ls "$2"/buddycare_*.deb
}
deb=$(package "$build" "$scratch/one")
echo "package: $(basename "$deb")"

# A sibling at the same depth: a compiler cache that rewrites paths relative to the
# build folder then gives both builds the same source paths.
second="$(dirname "$build")/$(basename "$build")-package-second"
CXXFLAGS="$(cached CMAKE_CXX_FLAGS)" LDFLAGS="$(cached CMAKE_EXE_LINKER_FLAGS)" \
  cmake -S "$source" -B "$second" -G Ninja -DCMAKE_BUILD_TYPE="$(cached CMAKE_BUILD_TYPE)" \
  -DCMAKE_CXX_COMPILER="$(cached CMAKE_CXX_COMPILER)" -DBUDDYCARE_WERROR="$(cached BUDDYCARE_WERROR)" \
  -DBUDDYCARE_TESTS=OFF -DBUDDYCARE_BENCH=OFF >/dev/null
cmake --build "$second" >/dev/null || fail "second build"
cmp "$deb" "$(package "$second" "$scratch/two")" || fail "two builds of one tree give different packages"
for path in "$source" "$build"; do
  ! grep -r -q -a -F "$path" <(dpkg-deb --fsys-tarfile "$deb") || fail "the package names $path"
done

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libespeak-ng1 libturbojpeg0 \
  libfontconfig1 fontconfig "fonts-comic-neue | fonts-dejavu-core"; do
  [[ "$depends" == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for f in usr/bin/buddycare usr/share/buddycare/storyboard.json usr/share/buddycare/homescreen.jpg \
         usr/share/applications/buddycare.desktop usr/share/metainfo/app.buddycare.Buddycare.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/buddycare.png usr/share/icons/hicolor/256x256/apps/buddycare.png \
         usr/share/man/man6/buddycare.6.gz usr/share/doc/buddycare/copyright; do
  [[ -e "$root/$f" ]] || fail "$f is not in the package"
done
grep -q '^Categories=Game;Education;KidsGame;$' "$root/usr/share/applications/buddycare.desktop"

program="$root/usr/bin/buddycare"
# Read whole first (wide, so long names are not cut): grep -q may stop reading early.
dynamic=$(readelf -d "$program") segments=$(readelf -l "$program") symbols=$(readelf -W --dyn-syms "$program")
grep -q 'FLAGS_1.*NOW.*PIE' <<<"$dynamic" || fail "not a PIE bound at load time"
grep -q GNU_RELRO <<<"$segments" || fail "no RELRO"
grep -q __stack_chk_fail <<<"$symbols" || fail "no stack protector"
grep -q '__[a-z]*_chk@' <<<"$symbols" || fail "no fortified calls"
tags=$(lintian --display-info --tag-display-limit 0 "$deb" | grep -E '^E: |hardening' || true)
[[ -z "$tags" ]] || fail "lintian: $tags"

version=$("$program" --version)
echo "installed: $version"
[[ "$version" == "buddycare "* ]]
answers=$(printf 'tap cheat\nstate\nstack\nquit\n' | "$program" --headless --seed 3)
echo "$answers" | sed -n 2p | grep -q '"coins":50' || fail "headless game from the package: $answers"
echo "$answers" | sed -n 3p | grep -qx '{"stack":\["ViewController"\]}'

# Without its share folder the installed program must say so, not read some other tree.
rm -rf "$root/usr/share/buddycare"
set +e
message=$("$program" --headless </dev/null 2>&1)
status=$?
set -e
[[ $status -eq 2 && "$message" == *"resource folder not found"* ]] || fail "missing resources: $status $message"
echo "1 passed, 0 failed"
