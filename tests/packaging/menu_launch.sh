#!/usr/bin/env bash
# menu_launch.sh ROOT: started as a desktop starts the installed entry (its Exec line, in the home
# folder), Kodvik looks up a code, prints and is closed without touching a ~/ascii.txt of the
# user's: the table is written into $XDG_RUNTIME_DIR/kodvik, a folder only the user may enter, and
# is gone from there after the exit. Runs on an X server of its own. ROOT / tests the installed
# package (debian/tests/control).
set -euo pipefail

# Polls until COMMAND succeeds, for at most SECONDS.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# menu_launch.sh --on-display RECORD COMMAND...: run on the X server, from the home folder.
# Starts COMMAND, looks up 65 and writes the character field's text, selected, to RECORD.lookup,
# presses Print, waits for the viewer to write RECORD, and closes Kodvik with SIGTERM, which it
# handles as a closed window. Exits with the program's status.
if [ "${1-}" = --on-display ]; then
    record=$2
    shift 2
    cd "$HOME"
    # timeout bounds the whole run and passes the SIGTERM on to the program, once: without
    # --foreground it would also send it to its process group, a second SIGTERM that can reach
    # the program only after its window has closed.
    timeout --foreground --kill-after=5 60 "$@" &
    started=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --class '^Kodvik$' | head -n 1)
    # The middles of the window's fixed places: the code field, "Character", the character field
    # (its text selected by a double click, so X's primary selection) and "Print".
    xdotool mousemove --window "$window" 108 36 click 1 type 65
    xdotool mousemove --window "$window" 40 68 click 1 mousemove --window "$window" 20 36 \
        click --repeat 2 1
    selected() { timeout 5 xclip -o -selection primary >"$record.lookup" 2>/dev/null &&
        [ -s "$record.lookup" ]; }
    wait_for 10 selected || true
    xdotool mousemove --window "$window" 120 124 click 1
    wait_for 20 test -f "$record" || echo "the viewer was not started" >&2
    kill -TERM "$started"
    wait "$started"
    exit
fi

root=$1
for tool in xvfb-run xauth Xvfb xdotool xclip timeout; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done

entry=$root/usr/share/applications/se.kodvik.Kodvik.desktop
[ -f "$entry" ] || { echo "no launcher $entry" >&2; exit 1; }
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$entry")"
# An absolute path in Exec names the installed system's file, which lies under ROOT here.
[[ ${command[0]} != /* ]] || command[0]=$root${command[0]}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
home=$scratch/home runtime=$scratch/runtime record=$scratch/opened
mkdir -p "$home" "$scratch/bin"
mkdir -m 0700 "$runtime"
private=$(cd "$runtime" && pwd -P)/kodvik
printf 'my own notes\r\nnot a table \xe9\n' >"$home/ascii.txt"
cp "$home/ascii.txt" "$scratch/mine"

# The desktop's viewer: notes the absolute name of the file it is given (a path or a file: URL)
# and the file's line count, while the file is still there.
cat >"$scratch/bin/xdg-open" <<EOF
#!/bin/sh
file=\${1#file://}
case \$file in /*) ;; *) file=\$(pwd -P)/\$file ;; esac
{ echo "\$file"; wc -l <"\$file"; } >"$record.part" && mv "$record.part" "$record"
EOF
chmod +x "$scratch/bin/xdg-open"

status=0
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_CACHE_HOME -u XDG_CURRENT_DESKTOP \
    HOME="$home" XDG_RUNTIME_DIR="$runtime" PATH="$scratch/bin:$root/usr/bin:$PATH" \
    LC_ALL=C.UTF-8 xvfb-run -a -s '-screen 0 640x480x24' \
    "$0" --on-display "$record" "${command[@]}" || status=$?

failures=0
fail() { echo "$1" >&2; failures=$((failures + 1)); }
[ "$status" -eq 0 ] || fail "Kodvik, started by the entry, ended with status $status"
looked_up=$(cat "$record.lookup" 2>/dev/null || true)
[ "$looked_up" = A ] || fail "65 and Character gave \"$looked_up\" in the character field, not A"
cmp -s "$scratch/mine" "$home/ascii.txt" || fail "the ascii.txt in the home folder was changed or deleted"
if [ -f "$record" ]; then
    { read -r opened && read -r lines; } <"$record"
    [ "$opened" = "$private/ascii.txt" ] || fail "the table was written to $opened, not into $private"
    [ "$lines" -eq 256 ] || fail "the table had $lines lines, not 256"
else
    fail "the table was never opened"
fi
[ ! -e "$private/ascii.txt" ] || fail "$private/ascii.txt is still there after the exit"
mode=$(stat -c %a "$private" 2>/dev/null || echo none)
[ "$mode" = 700 ] || fail "$private has mode $mode, not 700"
[ "$failures" -eq 0 ] || exit 1
echo "65 gave A; printed into $private (mode $mode), 256 lines, removed at exit; ~/ascii.txt untouched"
