#!/usr/bin/env bash
# Measures the game against a bare SDL2 floor program: start-up (exec to the
# first SDL_RenderPresent, seen through a preloaded shim), memory, idle
# CPU, slide frames, tap latency, the headless driver, and the in-process
# benchmarks. Builds what it needs in build-bench/ first. Options go to
# bench/harness.py (--help lists them; --runs N, --only startup,idle,...).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
generator=()
[[ -f "$build/CMakeCache.txt" ]] || generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUDDYCARE_BENCH=ON >/dev/null
targets=(buddycare buddycare-floor buddycare-first-present buddycare-exec-clock)
# Without Google Benchmark installed the in-process part is simply not built.
if cmake --build "$build" --target help | grep -q 'buddycare-bench'; then
  targets+=(buddycare-bench)
fi
cmake --build "$build" --target "${targets[@]}"
exec python3 bench/harness.py --build "$build" "$@"
