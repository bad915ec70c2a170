#!/usr/bin/env bash
# ctrl_c.sh PROGRAM: a Ctrl+C in the terminal that started Kodvik, which reaches Kodvik's whole
# process group, ends Kodvik and removes its table, but the viewer that Print opened is the user's
# own window and stays open. Runs on an X server of its own.
set -euo pipefail

for tool in xvfb-run xauth Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
if [ "${1-}" != --on-display ]; then
    exec env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY xvfb-run -a -s '-screen 0 640x480x24' \
        "$0" --on-display "$1"
fi
program=$(realpath "$2")

scratch=$(mktemp -d)
kodvik='' viewer=''
trap 'kill $kodvik $viewer 2>/dev/null; rm -rf "$scratch"' EXIT
mkdir "$scratch/bin"
# The desktop's opener, standing in for a viewer that runs until the user closes it.
cat >"$scratch/bin/xdg-open" <<EOF_OPENER
#!/bin/sh
echo \$\$ >"$scratch/viewer.part" && mv "$scratch/viewer.part" "$scratch/viewer"
exec sleep 60
EOF_OPENER
chmod +x "$scratch/bin/xdg-open"

# A job of its own, as a shell in a terminal starts it: Ctrl+C goes to that job's process group.
set -m
cd "$scratch"
PATH="$scratch/bin:$PATH" "$program" &
kodvik=$!
set +m
window=$(timeout 30 xdotool search --sync --onlyvisible --class '^Kodvik$' | head -n 1)
# The middle of "Print", whose place the window's fixed layout gives: 88, 112, 65 x 25.
xdotool mousemove --window "$window" 120 124 click 1
for _ in $(seq 200); do
    [ -f viewer ] && break
    sleep 0.1
done
[ -f viewer ] || { echo "the viewer was not started" >&2; exit 1; }
viewer=$(cat viewer)

kill -INT -- "-$kodvik"
status=0
wait "$kodvik" || status=$?
kodvik=
failures=0
[ "$status" -eq 0 ] || { echo "Kodvik ended with status $status" >&2; failures=1; }
[ ! -e ascii.txt ] || { echo "ascii.txt is still there after the exit" >&2; failures=1; }
# A viewer that was ended may linger as a zombie until it is reaped.
state=$(ps -o stat= -p "$viewer" || true)
[[ $state == [^Z]* ]] || { echo "the viewer ended with Kodvik" >&2; failures=1; }
[ "$failures" -eq 0 ] && echo "Kodvik ended on SIGINT, removed the table, and the viewer runs on"
