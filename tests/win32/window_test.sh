#!/usr/bin/env bash
# Starts formula-test.exe under Wine on the display this runs on (a 1024 x 768
# Xvfb with no window manager: Wine draws the frame itself) and
# works it as a user would: the window starts centred, Tab goes from Edit1 to
# Button1, Enter presses it, a bad start angle gives the failure box, a good
# one the report (saved as a screenshot of the window), and Alt+F4 ends the
# program with exit code 0.
# Usage: window_test.sh FORMULA_TEST.EXE SCREENSHOT.png
set -euo pipefail
program=$1 screenshot=$2

. "$(dirname "$0")/wine_window.sh"

# A backgrounded wine that holds this script's output would keep ctest waiting.
wine "$program" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
window=$(find_window "Тестирование формулы")

# The designed client area in Wine's own frame: 3-pixel borders and a
# 19-pixel caption; centred on the 1024 x 768 screen.
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH x $HEIGHT" = "591 x 413" ] || fail "outer size $WIDTH x $HEIGHT"
[ "$X,$Y" = "$(((1024 - WIDTH) / 2)),$(((768 - HEIGHT) / 2))" ] || fail "not centred: $X,$Y"

# Without a window manager keys reach the window only under the pointer:
# park it over the report area.
xdotool mousemove $((X + 400)) $((Y + 200))
sleep 0.3

# Edit1 has the focus with its text selected: typing replaces it. Tab, Tab
# reach Button1, and Enter there presses it.
xdotool type --delay 20 "1e400"
xdotool key --delay 50 Tab Tab Return
box=$(find_window "Formula-test")
xdotool key Return
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Formula-test$' >/dev/null 2>&1 || break
    sleep 0.1
done
! xdotool search --onlyvisible --name '^Formula-test$' >/dev/null 2>&1 || fail "box $box stays"

# The focus is back on Button1: Shift+Tab twice to Edit1, its text selected.
xdotool key --delay 50 shift+Tab shift+Tab
xdotool type --delay 20 "0.00"
xdotool key --delay 50 Tab Tab space
sleep 1
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"

end_by_alt_f4
echo "ok: formula-test.exe under Wine"
