#!/bin/sh
# A later version's package replaces this one instead of standing beside it, and this one does not
# go over the later one. Both silently, in a Wine prefix of its own.
#
#     msi_upgrade.sh PACKAGE LATER_PACKAGE LATER_VERSION
#
# WINEPREFIX names the prefix, which is made afresh and removed again.
package=$(realpath "$1")
later=$(realpath "$2")
later_version=$3
. "$(dirname "$0")/msiprefix.sh"

# The one entry in Apps, and its version.
only_entry() {
    entries=$(apps_entries)
    [ "$(printf '%s\n' "$entries" | grep -c .)" -eq 1 ] || fail "entries in Apps: $entries"
    wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${entries%%|||*}" \
        /v DisplayVersion | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}

wine msiexec /i "$package" /qn || fail "msiexec /i $package ended with $?"
earlier_version=$(only_entry)
wine msiexec /i "$later" /qn || fail "msiexec /i $later ended with $?"
[ "$(only_entry)" = "$later_version" ] || fail "not replaced by $later_version"
[ -f "$(unix_path '%LOCALAPPDATA%')/Programs/Kodvik/kodvik.exe" ] || fail "no program"

if wine msiexec /i "$package" /qn; then
    fail "$earlier_version went over $later_version"
fi
[ "$(only_entry)" = "$later_version" ] || fail "$later_version is gone"
echo "$later_version replaced $earlier_version, and $earlier_version did not go over it"
