#!/usr/bin/env bash
# Runs the whole browser suite again and again on a machine kept busy, to shake out tests that
# pass only when the page happens to be quick. Not part of CI: run it by hand after changing a
# browser test or the page's timing.
#
#   scripts/web-repeat.sh [RUNS] [BUILD_DIR]   RUNS runs (default 20) in BUILD_DIR (default build-web)
#
# One busy loop per core runs beside the suite the whole time. Each run's output is kept in
# BUILD_DIR/repeat/run-N.log; the last line says how many runs passed, and the status is 1 unless all did.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-20}"
dir="${2:-$root/build-web}"
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "web-repeat.sh: RUNS must be a positive number, not '$runs'" >&2; exit 2; }
mkdir -p "$dir/repeat"
bash "$root/scripts/web.sh" build "$dir" >/dev/null || exit 2

busy=()
stop_busy() { [[ ${#busy[@]} -eq 0 ]] || kill "${busy[@]}" 2>/dev/null; }
trap stop_busy EXIT
for _ in $(seq "$(nproc)"); do
  (while :; do :; done) &
  busy+=($!)
done

passed=0
for run in $(seq "$runs"); do
  start=$SECONDS
  if bash "$root/scripts/web.sh" test "$dir" >"$dir/repeat/run-$run.log" 2>&1; then
    passed=$((passed + 1))
    echo "run $run: passed in $((SECONDS - start)) s"
  else
    echo "run $run: FAILED in $((SECONDS - start)) s (see $dir/repeat/run-$run.log)"
    grep -E '^not ok|error:' "$dir/repeat/run-$run.log" | head -n 5
  fi
done
echo "$passed of $runs runs passed with every core kept busy"
[[ $passed -eq $runs ]]
