#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and plays a short
# headless game with the installed program and its installed resources.
set -euo pipefail
build=${1:?build folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null 2>&1) || { echo "FAIL: cpack"; exit 1; }
deb=$(ls "$scratch"/out/buddycare_*.deb)
echo "package: $(basename "$deb")"
depends=$(dpkg-deb --field "$deb" Depends)
echo "depends: $depends"
for needed in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1 fontconfig "fonts-comic-neue | fonts-dejavu-core"; do
  [[ "$depends" == *"$needed"* ]] || { echo "FAIL: the package does not depend on $needed"; exit 1; }
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for f in usr/bin/buddycare usr/share/buddycare/storyboard.json usr/share/buddycare/homescreen.jpg \
         usr/share/applications/buddycare.desktop usr/share/metainfo/app.buddycare.Buddycare.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/buddycare.png usr/share/icons/hicolor/256x256/apps/buddycare.png \
         usr/share/man/man6/buddycare.6.gz usr/share/doc/buddycare/copyright; do
  [[ -e "$root/$f" ]] || { echo "FAIL: $f is not in the package"; exit 1; }
done
grep -q '^Categories=Game;Education;KidsGame;$' "$root/usr/share/applications/buddycare.desktop"

version=$("$root/usr/bin/buddycare" --version)
echo "installed: $version"
[[ "$version" == "buddycare "* ]]

answers=$(printf 'tap cheat\nstate\nstack\nquit\n' | "$root/usr/bin/buddycare" --headless --seed 3)
echo "$answers" | sed -n 2p | grep -q '"coins":50' || { echo "FAIL: headless game from the package: $answers"; exit 1; }
echo "$answers" | sed -n 3p | grep -qx '{"stack":\["ViewController"\]}'

# Without its share folder the installed program must say so, not read some other tree.
rm -rf "$root/usr/share/buddycare"
set +e
message=$("$root/usr/bin/buddycare" --headless </dev/null 2>&1)
status=$?
set -e
[[ $status -eq 2 && "$message" == *"resource folder not found"* ]] || { echo "FAIL: missing resources: $status $message"; exit 1; }

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb"
  echo "lintian: no errors"
else
  echo "FAIL: lintian is not installed (scripts/setup.sh installs it)"
  exit 1
fi
echo "1 passed, 0 failed"
