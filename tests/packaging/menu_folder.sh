#!/usr/bin/env bash
# menu_folder.sh LAUNCHER: the folder the menu launcher starts Kodvik in, with a stand-in kodvik
# that records the folder it was started in and then waits. A base folder whose kodvik entry is a
# link is passed over, even when the link leads to a private folder of the user's; a launcher
# ended by a signal while Kodvik runs ends Kodvik too and leaves no folder of its own behind.
set -euo pipefail
launcher=$1

scratch=$(cd -P "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch"/{bin,runtime,cache,elsewhere,blocked,tmp}
cat >"$scratch/bin/kodvik" <<EOF_STUB
#!/bin/sh
pwd -P >"$scratch/started.part" && mv "$scratch/started.part" "$scratch/started"
exec sleep "\${KODVIK_STUB_SECONDS:-0}"
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
for signal in HUP INT TERM; do
    rm -f "$scratch/started"
    set -m # a job of its own, which gets SIGINT as one started from a terminal does
    launch XDG_CACHE_HOME="$scratch/blocked" KODVIK_STUB_SECONDS=30 &
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
    [[ $started == "$scratch/tmp/kodvik."* ]] || fail "SIG$signal: Kodvik ran in $started"
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: the launcher ended with $status"
    [ -z "$(ls -A "$scratch/tmp")" ] || fail "SIG$signal: left behind $(ls "$scratch/tmp")"
    kill -- "-$launcher_pid" 2>/dev/null || true # what an unmended launcher left running
done
[ "$failures" -eq 0 ] && echo "links passed over; the fallback folder removed on SIGHUP, SIGINT and SIGTERM"
