#!/bin/sh
# Installs the package as a user would, silently and in a Wine prefix of its own; starts the
# program from its Start-menu shortcut, prints the table, lets the program die without tidying up,
# and removes the package, which must leave no file, folder or registry key of Kodvik behind.
#
#     msi_install.sh PACKAGE VERSION GOLDEN_TABLE
#
# WINEPREFIX names the prefix, which is made afresh and removed again; the window needs DISPLAY.
package=$(realpath "$1")
version=$2
golden=$(realpath "$3")
. "$(dirname "$0")/msiprefix.sh"

# Waits up to ten seconds for a condition (a command) to hold.
within_10s() {
    tries=100
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

wine msiexec /i "$package" /qn || fail "msiexec /i ended with $?"

userprograms=$(unix_path '%LOCALAPPDATA%')/Programs
programs=$userprograms/Kodvik
shortcut=$(unix_path '%APPDATA%')/Microsoft/Windows/Start\ Menu/Programs/Kodvik.lnk
[ -f "$programs/kodvik.exe" ] || fail "no $programs/kodvik.exe"
[ -f "$shortcut" ] || fail "no $shortcut"
entry=$(apps_entries)
[ -n "$entry" ] || fail "no entry in Apps"
product=${entry%%|||*}
# Wine keeps the entry of a per-user package under HKLM.
details=$(wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product")
# printf, not echo: dash's echo reads the backslashes of Windows paths (InstallSource) as escapes,
# and "\c" in one ends its output.
printf '%s\n' "$details" | grep -q "DisplayVersion *REG_SZ *$version" || fail "not version $version"
printf '%s\n' "$details" | grep -q "Publisher *REG_SZ *The Kodvik developers" || fail "no publisher"
# The icon of the shortcut and of the entry in Apps, kept by Windows Installer for the product.
icon=$(unix_path '%APPDATA%')/Microsoft/Installer/$product/kodvik.ico
[ -f "$icon" ] || fail "no $icon"

# Started through the shortcut from elsewhere: Print writes into the shortcut's working folder.
wine start /unix "$shortcut"
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kodvik ') || fail "no window"
# Print's centre at 96 DPI, from the client area's corner, where Wine's X window begins.
xdotool mousemove --window "$window" 120 124 click 1
within_10s cmp -s "$golden" "$programs/ascii.txt" || fail "no table in $programs"

# The program dies without deleting its table: removal takes it along.
wineserver -k
wineserver -w
wine msiexec /x "$product" /qn || fail "msiexec /x ended with $?"

[ -z "$(apps_entries)" ] || fail "still in Apps"
for hive in HKCU HKLM; do
    wine reg export "$hive" "$hive.reg" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$hive.reg" | grep -i -e kodvik -e "$product" && fail "left in $hive"
done
left=$(find drive_c -iname '*kodvik*' -o -iname "$product" -o -iname ascii.txt)
[ -z "$left" ] || fail "left behind: $left"
# Wine runs the RemoveFile rows before it deletes the program, so the Programs folder, not yet
# empty when its row comes, stays behind empty.
[ ! -d "$userprograms" ] || [ -z "$(ls -A "$userprograms")" ] || fail "left: $userprograms/*"
echo "installed, started, printed and removed without a trace"
