#!/usr/bin/env bash
# Starts formula-test.exe under Wine on the display this runs on, one wide
# enough for the chart beside the window (the other Wine tests' 1024 x 768
# leaves too little beside the centred window), presses the button with the
# defaults, opens the chart with Ctrl+G and chooses the largest deviation with
# Page Down; the chart must open to the right of the window. Saves a
# screenshot of both and ends the program with Alt+F4 in the window.
# Usage: chart_window_test.sh FORMULA_TEST.EXE SCREENSHOT.png
set -euo pipefail
program=$1 screenshot=$2

. "$(dirname "$0")/wine_window.sh"

wine "$program" >/dev/null 2>&1 &
app=$!
# This prefix is the test's own: its server ends with it.
trap 'kill $app 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
window=$(find_window "Тестирование формулы")
eval "$(xdotool getwindowgeometry --shell "$window")"
x=$X y=$Y width=$WIDTH height=$HEIGHT

# Without a window manager keys reach the window only under the pointer.
xdotool mousemove $((x + 400)) $((y + 200))
sleep 0.3
xdotool key --delay 50 Tab Tab Return
sleep 1
xdotool key ctrl+g
chart=$(find_window "График отклонений")
eval "$(xdotool getwindowgeometry --shell "$chart")"
[ "$X" -ge $((x + width)) ] || fail "the chart at $X,$Y is not right of the window ($x + $width)"

xdotool mousemove $((X + WIDTH - 20)) $((Y + HEIGHT - 10))
sleep 0.3
xdotool key Next
sleep 1
left=$x top=$((Y < y ? Y : y))
bottom=$((Y + HEIGHT > y + height ? Y + HEIGHT : y + height))
import -window root -crop "$((X + WIDTH - left))x$((bottom - top))+${left}+${top}" +repage "$screenshot"

# Ctrl+G in the chart brings the window to the front, where Alt+F4 closes it.
xdotool key ctrl+g
xdotool mousemove $((x + 400)) $((y + 200))
sleep 0.3
end_by_alt_f4
echo "ok: formula-test.exe with its chart under Wine"
