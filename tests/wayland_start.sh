#!/usr/bin/env bash
# wayland_start.sh PROGRAM: Kodvik on a Wayland compositor of its own (sway, headless) with no X
# server to fall back on: its window is shown, takes a lookup typed on the keyboard, and Kodvik ends
# with status 0 when asked to close, by a signal or by the compositor. Sway refuses to run as root,
# so root runs it as nobody.
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

# wayland_start.sh --in-session SCRATCH: the compositor, Kodvik and the keyboard, run by the user
# who owns SCRATCH, in an environment with nothing of the caller's display in it.
# shellcheck disable=SC2317 # the conditions are called through wait_for
if [ "${1-}" = --in-session ]; then
    cd "$2"
    export SWAYSOCK=$XDG_RUNTIME_DIR/sway.sock
    echo 'xwayland disable' >sway.config
    kodvik='' keyboard='' sway=''
    trap 'kill $kodvik $keyboard $sway 2>/dev/null; wait' EXIT
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        timeout 110 sway -c sway.config 2>sway.log &
    sway=$!
    if ! wait_for 20 swaymsg -q -t get_version 2>/dev/null; then
        echo "sway did not start:" >&2
        cat sway.log >&2
        exit 1
    fi
    # The first name libwayland gives, in a folder of its own.
    export WAYLAND_DISPLAY=wayland-1
    # The headless seat has no keyboard until wtype brings one, and the one each wtype brings goes
    # with it; a client takes keys only once it has seen the seat gain a keyboard. So one wtype
    # holds a keyboard from before Kodvik starts to the end.
    wtype -s 100000 &
    keyboard=$!
    has_keyboard() { [[ $(swaymsg -t get_inputs) == *'"type": "keyboard"'* ]]; }
    wait_for 10 has_keyboard || { echo "wtype brought no keyboard" >&2; exit 1; }

    # Each run ends within 2 s with status 0, the table with it. The first takes a lookup typed on
    # the keyboard and is ended by SIGTERM; the others are closed by the compositor, as a title
    # bar's close button or Alt+F4 asks, where Qt's Wayland plugin (6.4 and 6.8) could hang for
    # good in its teardown, one close in four to eight, the busier the machine the more often:
    # 32 closes catch one in eight 99 times in 100.
    closes=32
    gone() { ! kill -0 "$kodvik" 2>/dev/null; }
    shown_or_gone() {
        gone || swaymsg -q '[app_id="^se\.kodvik\.Kodvik$" title="^Kodvik "] focus' 2>/dev/null
    }
    copied_a() { [ "$(timeout 5 wl-paste --no-newline 2>/dev/null)" = A ]; }
    failures=0
    fail() { echo "$1" >&2; failures=$((failures + 1)); }
    for run in $(seq 0 "$closes"); do
        echo "written by Print" >ascii.txt
        XDG_SESSION_TYPE=wayland ./kodvik 2>>kodvik.log &
        kodvik=$!
        if ! wait_for 30 shown_or_gone || gone; then
            fail "run $run: Kodvik's window was not shown"
            break
        fi
        if [ "$run" -eq 0 ]; then
            # Tab to the code field and type 65, Tab to "Character" and press it with Space;
            # Shift+Tab twice goes back to the character field and selects its text, which Ctrl+C
            # copies.
            wtype -k Tab 65 -k Tab -k space -M shift -k Tab -k Tab -m shift -M ctrl c -m ctrl ||
                fail "wtype could not type"
            wait_for 10 copied_a || fail "65 and Character did not give A in the character field"
            kill -TERM "$kodvik"
        else
            swaymsg -q '[app_id="^se\.kodvik\.Kodvik$"] kill'
        fi
        if wait_for 2 gone; then
            status=0
            wait "$kodvik" || status=$?
            [ "$status" -eq 0 ] || fail "run $run: Kodvik ended with status $status"
        else
            fail "run $run: Kodvik still ran 2 s after it was asked to close"
            kill -KILL "$kodvik"
            { wait "$kodvik"; } 2>/dev/null || true
        fi
        kodvik=''
        [ ! -e ascii.txt ] || fail "run $run: ascii.txt was left"
    done
    if [ "$failures" -ne 0 ]; then
        cat kodvik.log >&2
        exit 1
    fi
    echo "Kodvik showed its window on Wayland, looked up 65 as A, and ended with status 0 and the" \
        "table gone on SIGTERM and on each of $closes closes by the compositor"
    exit 0
fi

program=$(realpath "$1")
for tool in sway swaymsg wtype wl-paste setpriv timeout; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so' >/dev/null ||
    { echo "SKIP: no Qt Wayland platform plugin (qt6-wayland)"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 0700 "$scratch/runtime" "$scratch/home"
# Copies of the program and of this script, so that nobody can run them wherever the build and
# source folders are (root's home, say).
cp "$program" "$scratch/kodvik"
cp "$0" "$scratch/wayland_start.sh"
run=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$scratch"
    run=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${run[@]}" env -i PATH="$PATH" HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
    LANG=C.UTF-8 ASAN_OPTIONS="${ASAN_OPTIONS-}" "$scratch/wayland_start.sh" --in-session "$scratch"
