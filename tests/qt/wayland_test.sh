#!/usr/bin/env bash
# formula-test on Wayland, with DISPLAY unset for the program, under Debian's
# compositors, each without a screen of its own:
# - Weston, nested in the X display this runs on (ctest runs it under
#   on_xvfb.sh), where xdotool clicks and types and `import` takes screenshots:
#   with the X display beside Weston's, the program takes X11; without it,
#   the window goes without Qt's frame, and neither a click where that frame's
#   maximise button was nor Weston's own maximise (Super+Shift+M) ends the
#   program; the window is back at its size, also after it has drawn again;
#   the failure box alike;
# - KWin (--virtual), with input through its fake-input protocol and a KWin
#   script that reports each window's place, stacking and transience: Ctrl+G
#   opens a chart that is no transient of the main window, a click on the main
#   window brings that above the chart and makes it active, and Ctrl+G there
#   brings the chart forward again;
# - mutter, nested in the X display as Weston is: the chart opens without an
#   assertion failing in mutter's stacking code, which an activation before
#   the window was mapped set off.
# Usage: wayland_test.sh FORMULA_TEST FAKE_INPUT SCREENSHOT-FOLDER
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1 fake_input=$2 shots=$3

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x11.sh"

scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$shots"
pids=()
# Each process this starts is stopped by its own id, the last started first.
stop_all() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null && timeout 5 tail --pid="$pid" -f /dev/null || true
    done
    pids=()
}
trap 'stop_all; rm -rf "$scratch"' EXIT

wait_for_socket() {
    for _ in $(seq 200); do
        [ -S "$XDG_RUNTIME_DIR/$1" ] && return
        sleep 0.05
    done
    fail "no Wayland socket $1"
}

# The program on Wayland alone; its pid in $app.
start_native() {
    env -u DISPLAY WAYLAND_DISPLAY="$1" "${emulator[@]}" "$program" >"$scratch/$1.log" 2>&1 &
    app=$!
    pids+=("$app")
}

alive() { kill -0 "$app" 2>/dev/null || fail "$1: the program ended: $(tail -n 3 "$scratch"/*.log)"; }

# --- Weston -----------------------------------------------------------------
weston --backend=x11-backend.so --width=1024 --height=768 --socket=weston-$$ --idle-time=0 --no-config --debug \
    >"$scratch/weston.log" 2>&1 &
pids+=($!)
wait_for_socket weston-$$
output=$(xwininfo -root -tree | awk '/"Weston Compositor/ {print $1; exit}')
[ -n "$output" ] || fail "no Weston output window"

# With an X display beside Wayland, the program takes X11.
WAYLAND_DISPLAY=weston-$$ "${emulator[@]}" "$program" &
app=$!
timeout 20 xdotool search --sync --onlyvisible --pid "$app" >/dev/null || fail "no X11 window beside Wayland"
kill "$app"
wait "$app" || true

# The place of the window captioned $1 on Weston's output (its scene graph,
# which Weston shows with --debug): "x1 y1 x2 y2", or nothing.
weston_window() {
    WAYLAND_DISPLAY=weston-$$ timeout 5 weston-debug scene-graph 2>/dev/null |
        awk -v caption="$1" 'index($0, "top-level window '"'"'" caption "'"'"'") {found=1; next}
             found && /position:/ {gsub(/[(),>-]/, " "); print $2, $3, $4, $5; exit}' || true
}
# Waits until the window captioned $1 is shown at all, or at $2 x $3; prints its place.
weston_settled() {
    local place
    for _ in $(seq 50); do
        place=$(weston_window "$1")
        read -r x1 y1 x2 y2 <<<"${place:-0 0 0 0}"
        [ -n "$place" ] && { [ $# -eq 1 ] || { [ $((x2 - x1)) -eq "$2" ] && [ $((y2 - y1)) -eq "$3" ]; }; } &&
            { echo "$place"; return; }
        sleep 0.1
    done
    fail "\"$1\" is not ${2:-shown}${3:+x$3} on Weston: ${place:-not shown}"
}
caption='Тестирование формулы'

start_native weston-$$
read -r x1 y1 x2 y2 < <(weston_settled "$caption")
width=$((x2 - x1)) height=$((y2 - y1))
# Qt's frame would widen it by its borders.
[ "$width" -eq 585 ] || fail "on Weston the window is $width wide, not 585: framed by Qt"
[ "$height" -gt 388 ] || fail "on Weston the window is $height high: no caption strip"
sleep 0.5
import -window "$output" "$shots/weston.png"

# Where Qt's frame put its maximise button: 40 pixels from the right, 14 down.
xdotool mousemove --window "$output" $((x2 - 40)) $((y1 + 14)) click 1
sleep 1
alive "a click where the maximise button was"
read -r x1 y1 x2 y2 < <(weston_settled "$caption" "$width" "$height")

# Weston's own maximise: the window is taken back to its size, and stays
# there when it draws again.
xdotool mousemove --window "$output" $((x1 + 150)) $((y1 + height - 388 + 22)) click 1
xdotool key super+shift+m
sleep 1
alive "Super+Shift+M"
read -r x1 y1 x2 y2 < <(weston_settled "$caption" "$width" "$height")
xdotool mousemove --window "$output" $((x1 + 150)) $((y1 + height - 388 + 22)) click 1 type 5
xdotool mousemove --window "$output" $((x1 + 84)) $((y1 + height - 388 + 94)) click 1
sleep 1
alive "drawing again after Super+Shift+M"
weston_settled "$caption" "$width" "$height" >/dev/null
import -window "$output" "$shots/weston-after-maximise.png"

# The failure box alike, captioned with the program's title.
xdotool mousemove --window "$output" $((x1 + 150)) $((y1 + height - 388 + 22)) click --repeat 3 1 type 1e400
xdotool mousemove --window "$output" $((x1 + 84)) $((y1 + height - 388 + 94)) click 1
name=$(basename "$program")
name=${name%%.*}
rest=${name:1}
title=${name:0:1}${rest,,}
read -r bx1 by1 bx2 by2 < <(weston_settled "$title")
import -window "$output" "$shots/weston-box.png"
xdotool key super+shift+m
sleep 1
alive "Super+Shift+M on the failure box"
weston_settled "$title" $((bx2 - bx1)) $((by2 - by1)) >/dev/null
xdotool key Return
sleep 0.5
alive "the failure box answered"
stop_all

# --- KWin -------------------------------------------------------------------
# The installed binary carries a file capability that a container may not
# grant; a copy carries none, and keeps the name KWin's platform plugin asks for.
mkdir -p "$scratch/bin" "$scratch/share/applications"
cp /usr/bin/kwin_wayland "$scratch/bin/kwin_wayland"
# KWin grants fake input to a client whose desktop file names the interface.
cat >"$scratch/share/applications/formula-test-fake-input.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=formula-test's test input
Exec=$fake_input
NoDisplay=true
X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input
EOF
# KWin's scripts and mutter answer on a session bus of the test's own.
read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
export DBUS_SESSION_BUS_ADDRESS
pids+=("$bus")
env -u DISPLAY XDG_DATA_DIRS="$scratch/share:/usr/share" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
    "$scratch/bin/kwin_wayland" --virtual --socket kwin-$$ --width 1280 --height 1024 --no-lockscreen \
    --no-global-shortcuts >"$scratch/kwin.log" 2>&1 &
pids+=($!)
wait_for_socket kwin-$$

cat >"$scratch/report.js" <<'EOF'
const windows = workspace.clientList();
for (let i = 0; i < windows.length; ++i) {
    const w = windows[i], g = w.frameGeometry;
    print("formula-window " + w.pid + " " + w.stackingOrder + " " + g.x + " " + g.y + " " + g.width + " " + g.height
          + " " + w.transient + " " + w.active + " " + w.caption);
}
EOF
# Prints "stacking x y width height transient active caption" for each window
# of the program.
kwin_windows() {
    local id before
    before=$(grep -c '^js: formula-window' "$scratch/kwin.log" || true)
    # Until KWin has taken its name on the bus, nothing answers.
    gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.unloadScript report >/dev/null 2>&1 || return 0
    id=$(gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.loadScript "$scratch/report.js" report |
        tr -dc 0-9)
    gdbus call --session -d org.kde.KWin -o "/$id" -m org.kde.kwin.Script.run >/dev/null
    sleep 0.3
    grep -a '^js: formula-window' "$scratch/kwin.log" | tail -n +$((before + 1)) | awk -v pid="$app" '$3 == pid {$1=$2=$3=""; print substr($0, 4)}'
}
kwin_window() { kwin_windows | grep " $1\$" || true; }

start_native kwin-$$
for _ in $(seq 50); do
    [ -n "$(kwin_window 'Тестирование формулы')" ] && break
    sleep 0.2
done
main=$(kwin_window 'Тестирование формулы')
[ -n "$main" ] || fail "no window under KWin"

# Ctrl+G, with the main window active.
WAYLAND_DISPLAY=kwin-$$ "$fake_input" key 29 34
chart=
for _ in $(seq 50); do
    chart=$(kwin_window 'График отклонений')
    [ -n "$chart" ] && break
    sleep 0.2
done
[ -n "$chart" ] || fail "Ctrl+G opened no chart under KWin"
read -r chartStack cx cy cw ch chartTransient chartActive _ <<<"$chart"
[ "$chartTransient" = false ] || fail "the chart is transient for the main window"
main=$(kwin_window 'Тестирование формулы')
read -r mainStack mx my mw mh _ <<<"$main"
[ "$chartActive" = true ] && [ "$chartStack" -gt "$mainStack" ] || fail "the chart opened behind: $chart / $main"

# A point of the main window that the chart leaves uncovered.
point=
for candidate in "$((mx + 8)) $((my + mh - 8))" "$((mx + 8)) $((my + 8))" "$((mx + mw - 8)) $((my + mh - 8))" \
    "$((mx + mw - 8)) $((my + 8))"; do
    read -r px py <<<"$candidate"
    if ! { [ "$px" -ge "$cx" ] && [ "$px" -lt $((cx + cw)) ] && [ "$py" -ge "$cy" ] && [ "$py" -lt $((cy + ch)) ]; }; then
        point=$candidate
        break
    fi
done
[ -n "$point" ] || fail "the chart covers the main window wholly: $chart / $main"
WAYLAND_DISPLAY=kwin-$$ "$fake_input" at $point click
sleep 0.5
read -r mainStack _ _ _ _ _ mainActive _ <<<"$(kwin_window 'Тестирование формулы')"
read -r chartStack _ <<<"$(kwin_window 'График отклонений')"
[ "$mainActive" = true ] && [ "$mainStack" -gt "$chartStack" ] ||
    fail "a click on the main window left it below the chart or inactive: $(kwin_windows)"

WAYLAND_DISPLAY=kwin-$$ "$fake_input" key 29 34
sleep 0.5
read -r chartStack _ _ _ _ _ chartActive _ <<<"$(kwin_window 'График отклонений')"
read -r mainStack _ <<<"$(kwin_window 'Тестирование формулы')"
[ "$chartActive" = true ] && [ "$chartStack" -gt "$mainStack" ] ||
    fail "Ctrl+G in the main window did not bring the chart forward: $(kwin_windows)"
kill "$app"
wait "$app" 2>/dev/null || true

# --- mutter -------------------------------------------------------------------
mutter --nested --wayland --no-x11 --wayland-display mutter-$$ >"$scratch/mutter.log" 2>&1 &
pids+=($!)
wait_for_socket mutter-$$
output=$(xwininfo -root -tree | awk '/"mutter"/ {print $1; exit}')
[ -n "$output" ] || fail "no mutter output window"
start_native mutter-$$
sleep 2
# The window has the focus once mapped.
xdotool key ctrl+g
sleep 2
alive "Ctrl+G under mutter"
import -window "$output" "$shots/mutter.png"
! grep -a CRITICAL "$scratch/mutter.log" || fail "mutter's assertion failed"
stop_all

echo "Wayland checked: X11 taken beside Weston; Weston: no Qt frame, maximise survived; KWin: the chart a window of its own; mutter: no assertion"
