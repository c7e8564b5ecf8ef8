#!/usr/bin/env bash
# Builds and runs every test: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer, then a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in default asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset"
done
# A short fuzzing of the interface description and the driver (clang, libFuzzer).
echo "== fuzz (30 s each)"
scripts/fuzz.sh 30
