#!/usr/bin/env bash
# desktop_entry.sh ROOT: the installed launcher passes desktop-file-validate without a remark, and
# the script its Exec line starts and the program its TryExec line names are installed beside it.
set -euo pipefail
root=$1
command -v desktop-file-validate >/dev/null || { echo "SKIP: no desktop-file-validate"; exit 77; }

shopt -s nullglob
entries=("$root"/usr/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] || { echo "expected one launcher, found ${#entries[@]}" >&2; exit 1; }
entry=${entries[0]}

remarks=$(desktop-file-validate "$entry" 2>&1) || { echo "$remarks" >&2; exit 1; }
[ -z "$remarks" ] || { echo "desktop-file-validate remarks: $remarks" >&2; exit 1; }

# Exec names the script that starts the program from the menu by its absolute path, which must be
# installed; TryExec names the program by its bare name, so it must be where PATH finds installed
# programs.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
start=${exec_line%% *}
[[ $start == /* ]] || { echo "Exec names no absolute path: $start" >&2; exit 1; }
[[ -f $root$start && -x $root$start ]] ||
    { echo "Exec=$exec_line, but no executable ${start#/} is installed" >&2; exit 1; }
program=$(sed -n 's/^TryExec=//p' "$entry")
[[ -n $program && $program != */* ]] ||
    { echo "TryExec must name the program by its bare name, not '$program'" >&2; exit 1; }
[ -x "$root/usr/bin/$program" ] || { echo "TryExec=$program, but no usr/bin/$program" >&2; exit 1; }

# The program names itself by the launcher's id (setDesktopFileName), or a Wayland dock shows it
# without its icon. Qt keeps the literal as UTF-16, a plain string literal keeps it as bytes.
id=$(basename "$entry" .desktop)
utf16=$(sed 's/[.]/\\./g; s/\(\\\?.\)/\1\\x00/g' <<<"$id")
binary=$root/usr/bin/$program
LC_ALL=C grep -qaP "$utf16" "$binary" || LC_ALL=C grep -qaF "$id" "$binary" ||
    { echo "usr/bin/$program does not name its launcher $id" >&2; exit 1; }
echo "$entry: valid, starts ${start#/}, which runs usr/bin/$program"
