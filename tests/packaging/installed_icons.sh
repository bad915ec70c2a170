#!/usr/bin/env bash
# installed_icons.sh ROOT: the icon the launcher names is installed in the hicolor theme in every
# size, each PNG as large as the folder it is in says, and as a scalable SVG.
set -euo pipefail
root=$1
shopt -s nullglob
entries=("$root"/usr/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] || { echo "expected one launcher, found ${#entries[@]}" >&2; exit 1; }
icon=$(sed -n 's/^Icon=//p' "${entries[0]}")
[ -n "$icon" ] || { echo "the launcher names no icon" >&2; exit 1; }
[[ $icon != */* && $icon != *.png && $icon != *.svg && $icon != *.xpm ]] ||
    { echo "Icon=$icon must be a theme name, without a path or extension" >&2; exit 1; }

# A PNG's width and height are the big-endian 32-bit words at bytes 16 and 20 of its header.
png_word() { od -An -tu1 -j "$2" -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }'; }

hicolor=$root/usr/share/icons/hicolor
failures=0
for size in 16 32 48 64 128; do
    png=$hicolor/${size}x${size}/apps/$icon.png
    if [ ! -f "$png" ]; then
        echo "missing: ${png#"$root"/}" >&2
        failures=$((failures + 1))
        continue
    fi
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    width=$(png_word "$png" 16) height=$(png_word "$png" 20)
    if [ "$signature" != 89504e470d0a1a0a ] || [ "$width" != "$size" ] || [ "$height" != "$size" ]; then
        echo "${png#"$root"/}: a ${width}x${height} image (signature $signature)" >&2
        failures=$((failures + 1))
    fi
done
svg=$hicolor/scalable/apps/$icon.svg
grep -q '<svg' "$svg" 2>/dev/null || { echo "missing or not SVG: ${svg#"$root"/}" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] || exit 1
echo "icon $icon: 16 to 128 px and scalable"
