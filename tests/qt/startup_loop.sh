#!/usr/bin/env bash
# Starts formula-test again and again under a window manager on the display
# this runs on (ctest runs it under on_xvfb.sh): each time the window, once its
# place has stopped changing, must be centred on the screen, frame included.
# The window manager's events come in varying orders from start to start.
# Usage: startup_loop.sh FORMULA_TEST STARTS
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1 starts=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x11.sh"

wm= app=
trap 'kill ${wm:+$wm} ${app:+$app} 2>/dev/null || true' EXIT
start_window_manager

for start in $(seq "$starts"); do
    "${emulator[@]}" "$program" &
    app=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
    [ -n "$window" ] || fail "start $start: no window shown"

    # Stable: the same frame in five readings 0.1 s apart, within 5 s.
    last= same=0
    for _ in $(seq 50); do
        frame=$(frame_of "$window" 1)
        if [ "$frame" = "$last" ]; then
            same=$((same + 1))
            [ "$same" -ge 4 ] && break
        else
            last=$frame same=0
        fi
        sleep 0.1
    done
    [ "$same" -ge 4 ] || fail "start $start: the window kept moving, last at $frame"
    read -r x y width height centred <<<"$frame"
    [ "$centred" = yes ] || fail "start $start: not centred: frame at $x,$y size ${width}x$height"

    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    timeout 10 tail --pid="$app" -f /dev/null || fail "start $start: still running after close"
    wait "$app" || fail "start $start: exit code $?"
    app=
done
echo "$starts starts, each centred"
