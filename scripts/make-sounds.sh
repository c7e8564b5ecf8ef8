#!/usr/bin/env bash
# Makes the game's sound effects in resources/sounds/ from nothing but sox's
# own synthesis, so anyone can remake them and they are ours to share.
# Each is a few short notes, under 0.6 s, faded in and out (no clicks) and
# brought to a peak of -12 dBFS so that none startles. Rerun any time:
#   ./scripts/make-sounds.sh
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="$ROOT/resources/sounds"
command -v sox >/dev/null || { echo "make-sounds: needs sox (Debian packages: sox libsox-fmt-base)" >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"
RATE=44100

# note FILE SECONDS WAVE FREQ[-FREQ]: one note (or glide) with soft edges
note() {
  local fade
  fade="$(awk -v s="$2" 'BEGIN { f = s / 4; if (f > 0.03) f = 0.03; printf "%.3f", f }')"
  sox -n -r "$RATE" -c 1 -b 16 "$1" synth "$2" "$3" "$4" fade q "$fade" "$2" "$fade"
}

# sound NAME NOTE... where NOTE is SECONDS:WAVE:FREQ, played one after another
sound() {
  local name="$1" i=0 parts=()
  shift
  for tone in "$@"; do
    IFS=: read -r seconds wave freq <<<"$tone"
    note "$TMP/$name-$i.wav" "$seconds" "$wave" "$freq"
    parts+=("$TMP/$name-$i.wav")
    i=$((i + 1))
  done
  sox "${parts[@]}" -C 3 "$OUT/$name.ogg" gain -n -12
  printf '%-11s %ss\n' "$name" "$(soxi -D "$OUT/$name.ogg")"
}

sound tap        0.05:sine:1200
sound coin       0.08:sine:988 0.22:sine:1319
sound buy        0.08:triangle:523 0.08:triangle:659 0.08:triangle:784 0.22:triangle:1047
sound refused    0.15:triangle:330 0.25:triangle:247
sound wear       0.30:sine:900-1800 0.12:sine:1760
sound dose-start 0.35:sine:400-800
sound dose-done  0.10:sine:523 0.10:sine:659 0.30:sine:784
sound dose-stop  0.35:sine:700-350
sound check-good 0.12:triangle:784 0.25:triangle:1047
sound check-bad  0.15:triangle:330 0.30:triangle:262
sound happy      0.07:triangle:659 0.07:triangle:784 0.07:triangle:988 0.20:triangle:1319
sound sad        0.50:triangle:440-330
sound low        0.18:sine:660-587 0.18:sine:587-523 0.22:sine:523-440
echo "make-sounds: wrote $(ls "$OUT"/*.ogg | wc -l) sounds into $OUT"
