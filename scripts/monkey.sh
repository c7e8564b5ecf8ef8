#!/usr/bin/env bash
# The long monkey run: STEPS random steps (default 10,000,000) of the shipped
# game from seed SEED (default 1), every step checked against the reference
# model and the game's rules; prints what it did and the memory it took.
#   scripts/monkey.sh [STEPS] [SEED]
# A failure prints the seed, the step and the last steps as driver commands;
# the same seed replays the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-10000000}
seed=${2:-1}
cmake --preset default >/dev/null
cmake --build --preset default --target buddycare_monkey
# Only the worn bow ties may grow; a megabyte or two of allocator slack is not growth.
exec build/tests/monkey/buddycare_monkey --steps "$steps" --seed "$seed" --max-growth-mb 4
