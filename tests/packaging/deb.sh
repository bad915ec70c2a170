#!/usr/bin/env bash
# deb.sh CPACK CPACK_CONFIG OUT_DIR LIST VERSION: cpack makes kodvik_VERSION_ARCH.deb in OUT_DIR,
# holding exactly the files in LIST, with its library dependencies found by dpkg-shlibdeps and the
# Qt platform plugins and the font that no library dependency brings.
set -euo pipefail
cpack=$1 config=$2 out=$3 list=$4 version=$5
for tool in dpkg-deb dpkg-shlibdeps dpkg-architecture; do
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
# The packages that hold the libraries the program links to, under the names that this release gives
# them (Debian 13 calls Qt's core library's libqt6core6t64), and those that no library brings.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
needed=()
for library in libc.so.6 libstdc++.so.6 libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6; do
    holder=$(dpkg-query --search "*/$multiarch/$library" 2>/dev/null | cut -d : -f 1 | sort -u)
    [[ $holder =~ ^[a-z0-9.+-]+$ ]] || { echo "no one package holds $library: $holder" >&2; exit 1; }
    needed+=("$holder")
done
missing=0
for package in "${needed[@]}" qt6-qpa-plugins fonts-liberation; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || { echo "Depends lacks $package" >&2; missing=1; }
done
[ "$missing" -eq 0 ] || exit 1

# Installed-Size counts the content, each file in whole KiB, rounded up, and 1 KiB for each folder
# or link, and not the sizes that the file system it was made on gives its folders.
installed=$(dpkg-deb --field "$deb" Installed-Size)
counted=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv |
    awk '{ kib += /^-/ ? int(($3 + 1023) / 1024) : 1 } END { print kib }')
[ "$installed" = "$counted" ] ||
    { echo "Installed-Size: $installed, but the content comes to $counted KiB" >&2; exit 1; }
echo "$deb: $(stat -c %s "$deb") bytes, $installed KiB installed"
