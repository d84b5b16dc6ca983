#!/usr/bin/env bash
# Starts formula-test under a window manager on the display this runs on
# (ctest runs it under on_xvfb.sh), checks the real window, presses the button,
# saves a screenshot of the window, opens the chart with Ctrl+G, saves a
# screenshot of it and closes the main window.
# Usage: window_test.sh FORMULA_TEST SCREEN_GRAB SCREENSHOT.png CHART.png
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1 grab=$2 screenshot=$3 chartshot=$4

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x11.sh"

wm= app=
trap 'kill ${wm:+$wm} ${app:+$app} 2>/dev/null || true' EXIT
start_window_manager

# Qt's own options are no options of the program: caption and layout stay.
"${emulator[@]}" "$program" -qwindowtitle Hacked -reverse -style windows &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
[ -n "$window" ] || fail "no window shown"
sleep 0.5 # let the window manager settle its frame

caption=$(xprop -id "$window" _NET_WM_NAME)
[ "$caption" = '_NET_WM_NAME(UTF8_STRING) = "Тестирование формулы"' ] || fail "caption: $caption"

info=$(xwininfo -id "$window")
width=$(awk '/^  Width:/ {print $2}' <<<"$info")
height=$(awk '/^  Height:/ {print $2}' <<<"$info")
[ "$width x $height" = "585 x 388" ] || fail "client area $width x $height"

hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q 'minimum size: 585 by 388' <<<"$hints" && grep -q 'maximum size: 585 by 388' <<<"$hints" ||
    fail "resizable: $hints"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
! grep -Eq 'RESIZE|MAXIMIZE' <<<"$actions" || fail "window manager offers: $actions"

# The outer size, frame included, centred on the screen.
read -r outerX outerY outerWidth outerHeight centred < <(frame_of "$window")
[ "$centred" = yes ] || fail "not centred: frame at $outerX,$outerY size ${outerWidth}x$outerHeight"

# Button1's centre.
xdotool mousemove --window "$window" 84 94 click 1
sleep 1
"${emulator[@]}" "$grab" "$screenshot" "$outerX" "$outerY" "$outerWidth" "$outerHeight" || fail "no screenshot"

# Ctrl+G opens the chart: a top-level window of its own, managed by the window manager.
xdotool windowactivate --sync "$window" key --clearmodifiers ctrl+g
chart=
for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --pid "$app"); do
        [ "$(xprop -id "$w" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "График отклонений"' ] && chart=$w
    done
    [ -n "$chart" ] && break
    sleep 0.1
done
[ -n "$chart" ] || fail "Ctrl+G opened no window captioned \"График отклонений\""
xprop -id "$chart" WM_STATE | grep -q 'window state: Normal' || fail "chart not a managed top-level window"
sleep 0.5
read -r chartX chartY chartWidth chartHeight < <(xwininfo -id "$chart" |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}')
read -r extentLeft extentRight extentTop extentBottom < <(xprop -id "$chart" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
"${emulator[@]}" "$grab" "$chartshot" $((chartX - extentLeft)) $((chartY - extentTop)) $((chartWidth + extentLeft + extentRight)) \
    $((chartHeight + extentTop + extentBottom)) || fail "no chart screenshot"

# Closing ends the program with 0 whatever the fields hold.
xdotool mousemove --window "$window" 140 22 click 1 type 1e400
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
status=0
timeout 10 tail --pid="$app" -f /dev/null || fail "still running after close"
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "exit code $status"
echo "window checked, screenshots in $screenshot and $chartshot"
