#!/usr/bin/env bash
# Builds and runs the tests, warnings as errors, in the builds named (default:
# default release clang asan web fuzz):
#   default  the default preset: the game as the play command builds it, every test, the Debian package
#   release  a plain -DCMAKE_BUILD_TYPE=Release build with g++, as a packager starts
#   asan     the asan preset: AddressSanitizer and UndefinedBehaviorSanitizer
#   web      the web preset: the WebAssembly build in headless Chromium (where emscripten is installed)
#   fuzz     30 s of fuzzing each input the game parses (clang, libFuzzer)
#   clang    the game and its tests built with clang-14
#   debian   -DCMAKE_BUILD_TYPE=None with the flags of dpkg-buildflags, as a Debian package builds
set -euo pipefail
cd "$(dirname "$0")/.."
builds=("$@")
[[ ${#builds[@]} -gt 0 ]] || builds=(default release clang asan web fuzz)

# A plain configure in build-NAME; the tests of a second build skip the
# package, which the default build checks.
plain() {
  local name=$1
  shift
  echo "== $name build"
  cmake -S . -B "build-$name" -G Ninja -DBUDDYCARE_WERROR=ON -DBUDDYCARE_TESTS=ON "$@" >/dev/null
  cmake --build "build-$name"
  echo "== $name tests"
  ctest --test-dir "build-$name" --output-on-failure -j2 -LE package
}

for build in "${builds[@]}"; do
  case "$build" in
    default|asan)
      echo "== $build build"
      cmake --preset "$build" -DBUDDYCARE_TESTS=ON >/dev/null
      cmake --build --preset "$build"
      echo "== $build tests"
      ctest --preset "$build"
      ;;
    web)
      if ! command -v emcc >/dev/null; then
        echo "== web: emscripten is not installed (scripts/setup.sh --all installs it); skipped"
        continue
      fi
      echo "== web build"
      cmake --preset web >/dev/null
      cmake --build --preset web
      echo "== web tests"
      ctest --preset web
      ;;
    release)
      plain release -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
      ;;
    clang)
      plain clang -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$(command -v clang++-14 || command -v clang++)"
      ;;
    debian)
      export DEB_BUILD_MAINT_OPTIONS=hardening=+all
      CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
        LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" plain debian -DCMAKE_BUILD_TYPE=None
      ;;
    fuzz)
      echo "== fuzz (30 s each)"
      scripts/fuzz.sh 30
      ;;
    *)
      echo "test.sh: unknown build '$build'" >&2
      exit 2
      ;;
  esac
done
