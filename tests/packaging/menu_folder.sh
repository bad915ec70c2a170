#!/usr/bin/env bash
# menu_folder.sh LAUNCHER: the folder the menu launcher starts Kodvik in, with a stand-in kodvik
# that records the folder it was started in and its process number, and then waits. A base folder
# whose kodvik entry is a link is passed over, even when the link leads to a private folder of the
# user's; a launcher ended by a signal while Kodvik runs ends Kodvik too, also one that does not
# heed the signal, and leaves no folder of its own behind, also under a relative TMPDIR.
set -euo pipefail
launcher=$1

scratch=$(cd -P "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch"/{bin,runtime,cache,elsewhere,blocked,tmp}
cat >"$scratch/bin/kodvik" <<EOF_STUB
#!/bin/sh
echo \$\$ >"$scratch/pid"
pwd -P >"$scratch/started.part" && mv "$scratch/started.part" "$scratch/started"
if [ -n "\${KODVIK_STUB_IGNORES:-}" ]; then
    trap '' "\$KODVIK_STUB_IGNORES"
else
    trap 'echo TERM >"$scratch/asked"; kill \$sleeper; exit 0' TERM
fi
sleep "\${KODVIK_STUB_SECONDS:-0}" &
sleeper=\$!
wait \$sleeper
touch "$scratch/slept"
EOF_STUB
chmod +x "$scratch/bin/kodvik"

# launch [VARIABLE=VALUE...]: the launcher, started from the menu with these XDG folders, in place
# of the shell that calls this.
launch() {
    exec env -u XDG_RUNTIME_DIR -u XDG_CACHE_HOME HOME="$scratch/home" TMPDIR="$scratch/tmp" \
        PATH="$scratch/bin:$PATH" "$@" sh "$launcher"
}
failures=0
fail() { echo "$1" >&2; failures=$((failures + 1)); }

ln -s "$scratch/elsewhere" "$scratch/runtime/kodvik"
(launch XDG_RUNTIME_DIR="$scratch/runtime" XDG_CACHE_HOME="$scratch/cache")
started=$(cat "$scratch/started")
[ "$started" = "$scratch/cache/kodvik" ] || fail "with runtime/kodvik a link, Kodvik ran in $started"

# Neither base can be used, so the launcher makes a folder of its own.
touch "$scratch/blocked/kodvik"
# SIGNAL [IGNORED]: the launcher gets SIGNAL while Kodvik, which ignores IGNORED, runs.
for row in HUP INT TERM "TERM TERM"; do
    read -r signal ignored <<<"$row"
    rm -f "$scratch/started" "$scratch/pid" "$scratch/asked" "$scratch/slept"
    set -m # a job of its own, which gets SIGINT as one started from a terminal does
    launch XDG_CACHE_HOME="$scratch/blocked" KODVIK_STUB_SECONDS=30 \
        KODVIK_STUB_IGNORES="${ignored:-}" &
    set +m
    launcher_pid=$!
    for _ in $(seq 100); do
        [ -f "$scratch/started" ] && break
        sleep 0.1
    done
    kill "-$signal" "$launcher_pid"
    status=0
    wait "$launcher_pid" 2>/dev/null || status=$?
    started=$(cat "$scratch/started" 2>/dev/null || echo "nowhere")
    [[ $started == "$scratch/tmp/kodvik."* ]] || fail "$row: Kodvik ran in $started"
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "$row: the launcher ended with $status"
    [ -n "$ignored" ] || [ -f "$scratch/asked" ] || fail "$row: Kodvik was not asked to end"
    ! kill -0 "$(cat "$scratch/pid")" 2>/dev/null || fail "$row: Kodvik still runs"
    [ ! -f "$scratch/slept" ] || fail "$row: the launcher waited until Kodvik ended by itself"
    [ -z "$(ls -A "$scratch/tmp")" ] || fail "$row: left behind $(ls "$scratch/tmp")"
    # What an unmended launcher left running, and what Kodvik left that heeds no TERM.
    kill -KILL -- "-$launcher_pid" 2>/dev/null || true
done

# A relative TMPDIR, from the folder the launcher starts in.
rm -f "$scratch/started"
(cd "$scratch" && launch XDG_CACHE_HOME="$scratch/blocked" TMPDIR=tmp) ||
    fail "relative TMPDIR: the launcher failed"
started=$(cat "$scratch/started" 2>/dev/null || echo "nowhere")
[[ $started == "$scratch/tmp/kodvik."* ]] || fail "relative TMPDIR: Kodvik ran in $started"
[ -z "$(ls -A "$scratch/tmp")" ] || fail "relative TMPDIR: left behind $(ls "$scratch/tmp")"

[ "$failures" -eq 0 ] &&
    echo "links passed over; the fallback folder removed, and Kodvik ended, on SIGHUP, SIGINT" \
        "and SIGTERM, also when Kodvik ignores it; a relative TMPDIR followed"
