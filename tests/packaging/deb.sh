#!/usr/bin/env bash
# deb.sh SOURCES OUT_DIR LIST VERSION: dpkg-buildpackage, on a copy of SOURCES without its build
# folders, makes kodvik_VERSION_ARCH.deb in OUT_DIR, holding exactly the files in LIST, with its
# library dependencies found by dpkg-shlibdeps and the Qt platform plugins and the font that no
# library dependency brings, and a program hardened as hardening-check sees it.
set -euo pipefail
sources=$1 out=$2 list=$3 version=$4
for tool in dpkg-buildpackage dpkg-architecture dh hardening-check readelf; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
rm -rf "$out"
mkdir -p "$out/kodvik"
tar -C "$sources" --exclude-vcs --exclude='./build*' --exclude=./dist --exclude=./.cache \
    --exclude='./obj-*' -cf - . | tar -C "$out/kodvik" -xf -
(cd "$out/kodvik" && dpkg-buildpackage -us -uc -b -J"$(nproc)" >../build.log 2>&1) ||
    { tail -n 40 "$out/build.log" >&2; exit 1; }

deb=$out/kodvik_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "no $deb: debian/changelog's version is not the project's $version" >&2; exit 1; }

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
# or link (dpkg-gencontrol's DEBIAN folder among them), and not the sizes that the file system it
# was made on gives its folders.
installed=$(dpkg-deb --field "$deb" Installed-Size)
counted=$(dpkg-deb --fsys-tarfile "$deb" | tar -tv |
    awk 'BEGIN { kib = 1 } { kib += /^-/ ? int(($3 + 1023) / 1024) : 1 } END { print kib }')
[ "$installed" = "$counted" ] ||
    { echo "Installed-Size: $installed, but the content comes to $counted KiB" >&2; exit 1; }
echo "$deb: $(stat -c %s "$deb") bytes, $installed KiB installed"

# hardening-check says no to control-flow protection on every program of Debian 12 and 13, whose C
# library's start files lack the mark, and to branch protection on all but arm64; the debug
# package's record of the compiler's options shows that the flags went in all the same.
dpkg-deb -x "$deb" "$out/root" && dpkg-deb -x "$out"/kodvik-dbgsym_*.deb "$out/debug"
report=$(hardening-check "$out/root/usr/bin/kodvik" || true)
echo "$report"
[[ $report == *"Stack protected: yes"* ]] && ! grep -v 'Control flow integrity\|Branch Protection' \
    <<<"$report" | grep -q ': no' || { echo "the program lacks a protection" >&2; exit 1; }
producers=$(readelf --debug-dump=info "$out"/debug/usr/lib/debug/.build-id/*/*.debug 2>/dev/null |
    grep DW_AT_producer) || { echo "the debug package records no compiler options" >&2; exit 1; }
flags=(-fstack-protector-strong -fstack-clash-protection)
[ "$(dpkg --print-architecture)" != amd64 ] || flags+=(-fcf-protection)
for flag in "${flags[@]}"; do
    ! grep -v -e "$flag" <<<"$producers" | grep -q . || { echo "not all built with $flag" >&2; exit 1; }
done
