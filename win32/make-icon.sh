#!/usr/bin/env bash
# Packs the icon's PNG sizes into win32/kodvik.ico for the resource file. The .ico is committed,
# so a build needs no icon tools; run this again after data/icons/render.sh (needs icotool,
# package icoutils). 16 and 32 px go in as bitmaps, the larger sizes as PNG, which keeps the
# .exe small; Windows reads PNG entries since Vista.
set -euo pipefail
cd "$(dirname "$0")"
icons=../data/icons
icotool --create --output kodvik.ico \
    "$icons/kodvik-16.png" "$icons/kodvik-32.png" \
    --raw="$icons/kodvik-48.png" --raw="$icons/kodvik-64.png" --raw="$icons/kodvik-128.png"
