#!/usr/bin/env bash
# icons_rendered.sh ICONS_DIR: the committed PNGs are what render.sh makes of the SVG now, so a
# changed drawing cannot ship with stale pictures.
set -euo pipefail
icons=$1
command -v rsvg-convert >/dev/null || { echo "SKIP: no rsvg-convert"; exit 77; }
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
cp "$icons/kodvik.svg" "$icons/render.sh" "$fresh/"
"$fresh/render.sh"
stale=0
for png in "$fresh"/kodvik-*.png; do
    name=$(basename "$png")
    cmp -s "$png" "$icons/$name" || { echo "stale: $name (run data/icons/render.sh)" >&2; stale=1; }
done
[ "$stale" -eq 0 ] || exit 1
echo "all PNGs match kodvik.svg"
