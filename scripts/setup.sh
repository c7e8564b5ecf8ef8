#!/usr/bin/env bash
# Installs what buddycare needs to build, test and run on Debian 12.
set -euo pipefail
packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev
  nlohmann-json3-dev libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
  # the friendly font, and the fallback
  fonts-comic-neue fonts-dejavu-core
  # a real window without a desktop, for tests and screenshots
  xvfb xauth
  # rerunning the art pipeline
  librsvg2-bin imagemagick
  # checking that the game opens no socket and writes no file
  strace
  # fuzzing the interface description and the driver (scripts/fuzz.sh)
  clang-14 libclang-rt-14-dev
  # building and checking the Debian package
  dpkg-dev file lintian
  # the game in a browser: WebAssembly build and headless browser tests
  emscripten chromium
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
