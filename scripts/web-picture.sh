#!/usr/bin/env bash
# One picture for the browser: the source encoded as WebP and as AVIF, the
# smallest of those and the source itself kept under the source's own name, so the interface description's
# names still hold. A browser tells the format from the bytes.
# With "quick", never AVIF: browsers decode it several times slower than WebP,
# which matters for the pictures a first frame waits on.
#   scripts/web-picture.sh SOURCE OUTPUT [quick]
set -euo pipefail
source="$1" output="$2" quick="${3:-}"
for tool in cwebp avifenc; do
  command -v "$tool" >/dev/null || { echo "web-picture: $tool not found (Debian packages webp and libavif-bin)" >&2; exit 2; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
case "$source" in
  *.png)
    # Outlines and flat colours keep their edges; alpha is where they blend.
    cwebp -quiet -m 6 -q 80 -alpha_q 85 "$source" -o "$work/p.webp"
    [[ "$quick" == quick ]] || avifenc -s 6 -j 1 --min 20 --max 36 --minalpha 8 --maxalpha 20 "$source" "$work/p.avif" >/dev/null
    ;;
  *.jpg|*.jpeg)
    cwebp -quiet -m 6 -q 75 "$source" -o "$work/p.webp"
    [[ "$quick" == quick ]] || avifenc -s 6 -j 1 --min 24 --max 40 "$source" "$work/p.avif" >/dev/null
    ;;
  *)
    echo "web-picture: $source is neither PNG nor JPEG" >&2
    exit 2
    ;;
esac
best="$work/p.webp"
if [[ -f "$work/p.avif" && $(stat -c %s "$work/p.avif") -lt $(stat -c %s "$best") ]]; then
  best="$work/p.avif"
fi
# A small palette picture can already be smaller than either.
if [[ $(stat -c %s "$source") -lt $(stat -c %s "$best") ]]; then
  best="$source"
fi
cp "$best" "$output"
