#!/usr/bin/env bash
# Renders every picture in resources/art/*.svg to resources/<name> at twice
# its point size. The output name is written in the first line of each SVG as
#   <!-- out: homescreen.jpg -->
# (.jpg -> JPEG quality 85 on white, no alpha; .png -> PNG with alpha, or a
# palette PNG of N colours when the second line is <!-- colours: N -->).
# Shared pieces live in resources/art/parts/ and are pulled in with a line
#   <!--@include parts/buddy-happy.svg-->
# (includes may nest). Rerun any time: ./scripts/render-art.sh
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ART="$ROOT/resources/art"
OUT="$ROOT/resources"

missing=()
command -v rsvg-convert >/dev/null 2>&1 || missing+=("rsvg-convert (Debian package: librsvg2-bin)")
command -v convert      >/dev/null 2>&1 || missing+=("convert (Debian package: imagemagick)")
command -v identify     >/dev/null 2>&1 || missing+=("identify (Debian package: imagemagick)")
if ((${#missing[@]})); then
  echo "render-art: missing tools:" >&2
  printf '  - %s\n' "${missing[@]}" >&2
  echo "install with: apt-get install librsvg2-bin imagemagick fonts-comic-neue fonts-dejavu-core" >&2
  exit 1
fi

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

# expand FILE: print FILE with every include line replaced by the part it names
expand() {
  local file="$1" line re='^[[:space:]]*<!--@include[[:space:]]+([^[:space:]]+)[[:space:]]*-->[[:space:]]*$'
  [[ -f "$file" ]] || { echo "render-art: missing part $file" >&2; exit 1; }
  while IFS= read -r line || [[ -n "$line" ]]; do
    if [[ "$line" =~ $re ]]; then
      expand "$ART/${BASH_REMATCH[1]}"
    else
      printf '%s\n' "$line"
    fi
  done < "$file"
}

count=0
for svg in "$ART"/*.svg; do
  name="$(sed -n '1s/^.*<!--[[:space:]]*out:[[:space:]]*\([^[:space:]]*\)[[:space:]]*-->.*$/\1/p' "$svg")"
  if [[ -z "$name" ]]; then
    echo "render-art: $svg has no '<!-- out: NAME -->' first line" >&2
    exit 1
  fi
  expand "$svg" > "$TMP/page.svg"
  rsvg-convert --zoom=2 --format=png -o "$TMP/page.png" "$TMP/page.svg"
  case "$name" in
    *.jpg) convert "$TMP/page.png" -background white -alpha remove -alpha off \
             -strip -quality 85 -sampling-factor 4:2:0 "$OUT/$name" ;;
    *.png)
      # A small flat picture may ask for a palette (second line <!-- colours: N -->):
      # a fraction of the bytes the browser has to fetch, no visible loss.
      colours="$(sed -n '2s/^.*<!--[[:space:]]*colours:[[:space:]]*\([0-9]*\)[[:space:]]*-->.*$/\1/p' "$svg")"
      if [[ -n "$colours" ]]; then
        convert "$TMP/page.png" -strip -dither None -colors "$colours" "PNG8:$OUT/$name"
      else
        convert "$TMP/page.png" -strip "PNG32:$OUT/$name"
      fi ;;
    *) echo "render-art: unknown output type for $name" >&2; exit 1 ;;
  esac
  printf '%-26s %s\n' "$name" "$(identify -format '%wx%h %m' "$OUT/$name")"
  count=$((count + 1))
done
echo "render-art: rendered $count pictures into $OUT"

# The desktop's launcher icons, in the freedesktop hicolor sizes.
ICONS="$ROOT/data/icons/hicolor"
expand "$ART/icon.svg" > "$TMP/icon.svg"
for size in 16 24 32 48 64 128 256 512; do
  mkdir -p "$ICONS/${size}x${size}/apps"
  rsvg-convert --width="$size" --height="$size" --format=png -o "$TMP/icon.png" "$TMP/icon.svg"
  convert "$TMP/icon.png" -strip "PNG32:$ICONS/${size}x${size}/apps/buddycare.png"
done
mkdir -p "$ICONS/scalable/apps"
cp "$TMP/icon.svg" "$ICONS/scalable/apps/buddycare.svg"
echo "render-art: launcher icons in $ICONS"
