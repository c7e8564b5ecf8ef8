#!/usr/bin/env bash
# The long window monkey run: EVENTS random SDL events (default 10,000,000)
# from seed SEED (default 1) through the real window loop, drawn by SDL's
# offscreen driver; prints what it did and how much memory grew.
#   scripts/window-monkey.sh [EVENTS] [SEED]
# A failure prints the seed and the event; the same seed replays the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
events=${1:-10000000}
seed=${2:-1}
cmake --preset default >/dev/null
cmake --build --preset default --target buddycare_window_monkey
# Beyond the picture cache's budget is growth; below it, the caches at work.
SDL_VIDEODRIVER=offscreen exec build/tests/monkey/buddycare_window_monkey "$events" "$seed" 16
