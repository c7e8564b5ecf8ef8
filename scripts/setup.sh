#!/usr/bin/env bash
# Installs what buddycare needs on Debian 12.
#   scripts/setup.sh         what building and playing the game needs
#   scripts/setup.sh --all   and the tools to test it (tests, sanitizers, fuzzing,
#                            the Debian package, the browser build)
set -euo pipefail
packages=(
  # build
  cmake ninja-build g++ pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev libturbojpeg0-dev
  nlohmann-json3-dev libcli11-dev
  # sound effects and the spoken voice
  libsdl2-mixer-dev libespeak-ng-dev espeak-ng-data
  # the message catalogues (msgfmt) and their upkeep (xgettext, msgmerge)
  gettext
  # the friendly font, and the fallback
  fonts-comic-neue fonts-dejavu-core
)
tools=(
  ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  # a real window without a desktop, for tests and screenshots
  xvfb xauth
  # rerunning the art pipeline
  librsvg2-bin imagemagick
  # remaking the sound effects (scripts/make-sounds.sh)
  sox libsox-fmt-base
  # checking that the game opens no socket and writes no file
  strace
  # a second compiler, and fuzzing the interface description and the driver
  clang-14 libclang-rt-14-dev
  # building and checking the Debian package
  dpkg-dev file lintian
  # the game in a browser: WebAssembly build and headless browser tests
  emscripten chromium
  # making the page's scripts smaller in the bundle
  node-terser
  # the same tests in WebKit (WebKitGTK's WebDriver and MiniBrowser) and in Firefox ESR
  webkit2gtk-driver firefox-esr
  # a key held down in WebKit, through the X server: its WebDriver does not repeat keys
  xdotool
  # the browser's pictures: WebP and AVIF encoders
  webp libavif-bin
)
case "${1:-}" in
  "") ;;
  --all)
    packages+=("${tools[@]}")
    # The browser tests' own tools come through npm; a Node.js from elsewhere may bring its own.
    command -v npm >/dev/null || packages+=(npm)
    ;;
  *)
    echo "setup.sh: unknown argument '$1' (expected nothing or --all)" >&2
    exit 2
    ;;
esac
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
