#!/bin/sh
# Starts this build's wineserver for the whole test run and makes the Wine prefix the first
# time. Wine's settings come from the environment (WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES).
#
# What stays running (the server, and the services the prefix starts) must not hold CTest's
# output pipe, or CTest would wait for it until the time limit: it writes to a log instead.
set -eu
wineserver=$1
log=$WINEPREFIX.log
# A server left over from an interrupted run would keep the persistent one from starting.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
# The server lives in the prefix's folder, so that comes first, even before the prefix is made.
mkdir -p "$WINEPREFIX"
"$wineserver" -p </dev/null >"$log" 2>&1
# The first Wine program of a session starts the prefix's services, which then stay; wineboot
# is that program here, with its output in the log. Making the prefix is its first run.
run() {
    if ! "$@" </dev/null >>"$log" 2>&1; then
        cat "$log"
        exit 1
    fi
}
if [ -f "$WINEPREFIX/system.reg" ]; then
    run wineboot
else
    run wineboot --init
    # Windows on a desktop of Wine's own, inside one X window: with no window manager on the
    # display, Wine would otherwise wait two seconds for one each time a window closes.
    run wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
    run wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f
    # The session started before the setting: start it again.
    "$wineserver" -k
    "$wineserver" -w
    "$wineserver" -p </dev/null >>"$log" 2>&1
    run wineboot
fi
