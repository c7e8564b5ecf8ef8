#!/usr/bin/env bash
# Fuzzes the three inputs the game parses (the interface description, the
# headless driver's commands and the kept progress file) with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, for SECONDS each (default 600).
#   scripts/fuzz.sh [SECONDS] [storyboard|driver|progress ...]
# Builds in build-fuzz with clang; the checked-in seeds in fuzz/corpus/ stay as
# they are, what the fuzzer finds goes to build-fuzz/corpus/. A crash, a hang
# (10 s on one input) or a leak stops the run with status 1 and leaves the
# input in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
[[ $# -gt 0 ]] && shift
names=("$@")
[[ ${#names[@]} -gt 0 ]] || names=(storyboard driver progress)
build=build-fuzz
compiler=$(command -v clang++-14 || command -v clang++)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$compiler" \
  -DBUDDYCARE_FUZZ=ON -DBUDDYCARE_TESTS=OFF -DBUDDYCARE_BENCH=OFF -DBUDDYCARE_WERROR=ON >/dev/null
cmake --build "$build" --target fuzz_storyboard fuzz_driver fuzz_progress
mkdir -p "$build/artifacts"
status=0
for name in "${names[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  cp -n fuzz/corpus/$name/* "$corpus/"
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$build/artifacts/$name-")
  if [[ $name == driver ]]; then
    args+=(-dict=fuzz/driver.dict -max_len=8192)
  elif [[ $name == progress ]]; then
    args+=(-dict=fuzz/progress.dict -max_len=4096)
  else
    args+=(-max_len=65536)
  fi
  log="$build/fuzz-$name.log"
  echo "== fuzz_$name for ${seconds}s (log: $log)"
  if ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/fuzz_$name" "${args[@]}" "$corpus" >"$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  else
    status=1
    echo "fuzz_$name FAILED:"
    tail -n 40 "$log"
  fi
done
exit $status
