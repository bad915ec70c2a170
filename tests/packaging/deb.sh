#!/usr/bin/env bash
# deb.sh CPACK CPACK_CONFIG OUT_DIR LIST VERSION: cpack makes kodvik_VERSION_ARCH.deb in OUT_DIR,
# holding exactly the files in LIST, with its library dependencies found by dpkg-shlibdeps and the
# Qt platform plugins and the font that no library dependency brings.
set -euo pipefail
cpack=$1 config=$2 out=$3 list=$4 version=$5
for tool in dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
rm -rf "$out"
"$cpack" -G DEB --config "$config" -B "$out"

deb=$out/kodvik_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no $deb; cpack made: $(ls "$out")" >&2; exit 1; }

if ! diff -u --label expected --label packaged "$list" \
    <(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | LC_ALL=C sort); then
    echo "The package's files differ from $list (- missing, + unexpected)." >&2
    exit 1
fi

depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
missing=0
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libstdc++6 qt6-qpa-plugins \
    fonts-liberation; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || { echo "Depends lacks $package" >&2; missing=1; }
done
[ "$missing" -eq 0 ] || exit 1
echo "$deb: $(stat -c %s "$deb") bytes"
