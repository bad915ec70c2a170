#!/usr/bin/env bash
# desktop_entry.sh ROOT: the installed launcher passes desktop-file-validate without a remark, and
# the program its Exec line starts is installed beside it.
set -euo pipefail
root=$1
command -v desktop-file-validate >/dev/null || { echo "SKIP: no desktop-file-validate"; exit 77; }

shopt -s nullglob
entries=("$root"/usr/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] || { echo "expected one launcher, found ${#entries[@]}" >&2; exit 1; }
entry=${entries[0]}

remarks=$(desktop-file-validate "$entry" 2>&1) || { echo "$remarks" >&2; exit 1; }
[ -z "$remarks" ] || { echo "desktop-file-validate remarks: $remarks" >&2; exit 1; }

# Exec names the program by its bare name, so it must be where PATH finds installed programs.
exec_line=$(sed -n 's/^Exec=//p' "$entry")
program=${exec_line%% *}
[[ $program != */* ]] || { echo "Exec names a path, not a program: $program" >&2; exit 1; }
[ -x "$root/usr/bin/$program" ] || { echo "Exec=$exec_line, but no usr/bin/$program" >&2; exit 1; }

# The program names itself by the launcher's id (setDesktopFileName), or a Wayland dock shows it
# without its icon. Qt keeps the literal as UTF-16, a plain string literal keeps it as bytes.
id=$(basename "$entry" .desktop)
utf16=$(sed 's/[.]/\\./g; s/\(\\\?.\)/\1\\x00/g' <<<"$id")
binary=$root/usr/bin/$program
LC_ALL=C grep -qaP "$utf16" "$binary" || LC_ALL=C grep -qaF "$id" "$binary" ||
    { echo "usr/bin/$program does not name its launcher $id" >&2; exit 1; }
echo "$entry: valid, starts usr/bin/$program"
