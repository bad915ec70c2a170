#!/usr/bin/env bash
# Renders the icon's PNG sizes from kodvik.svg. The PNGs are committed, so a build needs no SVG
# renderer; run this again after changing the drawing (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128; do
    rsvg-convert --width "$size" --height "$size" kodvik.svg --output "kodvik-$size.png"
done
