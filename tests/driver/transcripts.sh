#!/usr/bin/env bash
# Replays each transcript through the real program's headless driver and
# compares every output line. A transcript holds commands ("> tap cheat"),
# each followed by the exact lines the driver answers; "#" lines are notes,
# "# seed: N" and "# options: ..." set the program's command line, and
# "# language: es" plays that transcript in another language (English otherwise).
# Run with BUDDYCARE set to the program; the argument is the transcripts folder.
set -euo pipefail
folder=${1:?transcripts folder}
program=${BUDDYCARE:?path of the buddycare program}
failed=0
count=0
for file in "$folder"/*.txt; do
  count=$((count + 1))
  commands=$(grep -v '^#' "$file" | sed -n 's/^> //p')
  expected=$(grep -v '^#' "$file" | grep -v '^> ' | grep -v '^$' || true)
  seed=$(sed -n 's/^# seed: //p' "$file" | head -n 1)
  read -ra options <<<"$(sed -n 's/^# options: //p' "$file" | head -n 1)"
  language=$(sed -n 's/^# language: //p' "$file" | head -n 1)
  actual=$(printf '%s\n' "$commands" |
    "$program" --headless --seed "${seed:-1}" --language "${language:-C}" "${options[@]}" 2>/dev/null)
  if [[ "$actual" != "$expected" ]]; then
    echo "FAIL $(basename "$file")"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
    failed=$((failed + 1))
  else
    echo "ok   $(basename "$file")"
  fi
done
echo "$((count - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
