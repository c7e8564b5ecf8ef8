#!/usr/bin/env bash
# The game in a browser: builds the WebAssembly bundle (the web preset), serves it, tests it in
# headless Chromium, and measures it.
#
#   scripts/web.sh build [BUILD_DIR]        bundle into BUILD_DIR/bundle (default build-web)
#   scripts/web.sh serve [PORT] [BUILD_DIR] build, then serve on http://127.0.0.1:PORT/ (default 8375)
#   scripts/web.sh test  [BUILD_DIR]        build, then the browser tests; screenshots in BUILD_DIR/test-output
#   scripts/web.sh bench [BUILD_DIR]        build, then bundle size and time to the first interactive frame
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
command="${1:-}"
shift || true

export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

usage() {
  sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
}

build_dir() {
  local dir="${1:-$root/build-web}"
  mkdir -p "$dir"
  (cd "$dir" && pwd)
}

build() {
  local dir
  dir="$(build_dir "${1:-}")"
  if ! command -v emcc >/dev/null; then
    echo "web.sh: emcc not found; install the emscripten package (scripts/setup.sh does)" >&2
    exit 2
  fi
  local wasm="$dir/web/wasm" bundle="$dir/bundle"
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake --preset web -S "$root" -B "$dir" >/dev/null
  fi
  cmake --build "$dir"
  # The page's first frames come from the game itself, built natively beside.
  local native="$dir/native"
  if [[ ! -f "$native/build.ninja" ]]; then
    cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUDDYCARE_TESTS=OFF -DBUDDYCARE_BENCH=OFF \
      -DBUDDYCARE_WEB_FRAMES=ON >/dev/null
  fi
  cmake --build "$native" --target buddycare-first-frames

  # Assemble in a scratch folder, then swap it in whole: a server never sees half a bundle.
  local next="$dir/bundle.next"
  rm -rf "$next"
  mkdir -p "$next/fonts" "$next/icons"
  cp "$root/web/page/index.html" "$root/web/page/style.css" "$root/web/page/main.js" "$root/web/page/load.js" \
    "$root/web/page/view.js" "$root/web/page/audio.js" "$root/web/page/keep.js" "$root/web/page/first.js" "$next/"
  cp "$root/web/page/sw.js" "$root/web/page/manifest.webmanifest" "$root/resources/art/page/turn-upright.svg" "$next/"
  cp "$wasm/buddycare.js" "$wasm/buddycare.wasm" "$wasm/buddycare.data" "$next/"
  cp -r "$wasm/pictures" "$next/pictures"
  "$native/web/buddycare-first-frames" "$wasm/resources" "$next/first-frames.json"
  # The home-screen icons are the desktop's launcher icons.
  local icons="$root/data/icons/hicolor" size
  for size in "$icons"/*x*/; do
    size="$(basename "$size")"
    cp "$icons/$size/apps/buddycare.png" "$next/icons/$size.png"
  done
  cp "$icons/scalable/apps/buddycare.svg" "$next/icons/scalable.svg"
  # The game's friendly font travels with the page where the system has it.
  local fonts=/usr/share/fonts/opentype/comic-neue
  for face in ComicNeue-Regular.otf ComicNeue-Bold.otf; do
    if [[ -f "$fonts/$face" ]]; then
      cp "$fonts/$face" "$next/fonts/"
    fi
  done
  node "$root/scripts/web-bundle.mjs" "$next" "$root/resources" >/dev/null
  rm -rf "$bundle"
  mv "$next" "$bundle"
  echo "web bundle: $bundle"
}

# Installs the test tools once per lock file.
test_tools() {
  local tests="$root/web/tests"
  local stamp="$tests/node_modules/.installed-lock"
  if [[ ! -f "$stamp" ]] || ! cmp -s "$tests/package-lock.json" "$stamp"; then
    (cd "$tests" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$tests/package-lock.json" "$stamp"
  fi
  if [[ ! -x /usr/bin/chromium ]]; then
    echo "web.sh: /usr/bin/chromium not found; install the chromium package (scripts/setup.sh does)" >&2
    exit 2
  fi
}

case "$command" in
  build)
    build "${1:-}"
    ;;
  serve)
    port="${1:-8375}"
    dir="$(build_dir "${2:-}")"
    build "$dir"
    echo "Open http://127.0.0.1:$port/ in a browser (Ctrl+C stops the server)."
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$dir/bundle"
    ;;
  test)
    dir="$(build_dir "${1:-}")"
    build "$dir" >/dev/null
    test_tools
    out="$dir/test-output"
    rm -rf "$out"
    mkdir -p "$out"
    BUDDYCARE_BUNDLE="$dir/bundle" BUDDYCARE_WEB_OUTPUT="$out" \
      node --test --test-concurrency=1 --test-reporter=tap "$root"/web/tests/*.test.mjs
    echo "screenshots: $out"
    ;;
  bench)
    dir="$(build_dir "${1:-}")"
    build "$dir" >/dev/null
    test_tools
    BUDDYCARE_BUNDLE="$dir/bundle" node "$root/bench/web-bench.mjs"
    ;;
  *)
    usage
    ;;
esac
