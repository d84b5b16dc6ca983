#!/usr/bin/env bash
# formula-test on Wayland with DISPLAY unset for it, under Debian's compositors
# without screens of their own; Weston and mutter nest in the X display this
# runs on (ctest runs it under on_xvfb.sh), where xdotool reaches them.
# - Weston: beside an X display the program takes X11; without one, neither a
#   click where Qt's frame had its maximise button nor Weston's Super+Shift+M
#   ends it, and the window and the failure box are back at their sizes, also
#   once they have drawn again (Weston's scene graph tells places and sizes).
# - KWin, headless, with input through its fake-input protocol and a KWin
#   script that reports stacking, activity and transience: Ctrl+G opens a chart
#   transient for nothing; a click on the main window raises and activates it,
#   and Ctrl+G there brings the chart forward.
# - mutter: the chart opens without an assertion failing in its stacking code.
# Usage: wayland_test.sh FORMULA_TEST FAKE_INPUT SCREENSHOT-FOLDER
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1 fake_input=$2 shots=$3
caption='Тестирование формулы' title=formula-test

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/x11.sh"

scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$shots"
pids=()
# Each process started here is stopped by its own id, the last first.
stop_all() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null && timeout 5 tail --pid="${pids[i]}" -f /dev/null || true
    done
    pids=()
}
trap 'stop_all; rm -rf "$scratch"' EXIT

# Starts a compositor (the command) on socket $socket; its output window's id,
# when it nests in the X display, in $output.
start_compositor() {
    # Appended to, so that the log can be emptied while it runs.
    "$@" >>"$scratch/$socket.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 200); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
        sleep 0.05
    done
    [ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "no socket $socket: $(tail -n 3 "$scratch/$socket.log")"
    output=$(xwininfo -root -tree | awk '/"(Weston Compositor|mutter)/ {id=$1} END {print id}')
}
start_native() {
    env -u DISPLAY WAYLAND_DISPLAY="$socket" "${emulator[@]}" "$program" >"$scratch/app.log" 2>&1 &
    app=$!
    pids+=("$app")
}
alive() { kill -0 "$app" 2>/dev/null || fail "$1 ended the program: $(tail -n 3 "$scratch/app.log")"; }
at() { xdotool mousemove --window "$output" "$@"; }

# --- Weston -----------------------------------------------------------------
socket=weston-$$
start_compositor weston --backend=x11-backend.so --width=1024 --height=768 --socket="$socket" --idle-time=0 \
    --no-config --debug

WAYLAND_DISPLAY=$socket "${emulator[@]}" "$program" &
pids+=($!)
timeout 20 xdotool search --sync --onlyvisible --pid $! >/dev/null || fail "no X11 window beside Wayland"
kill $!

# Waits until the window captioned $1 is shown, at $2 x $3 when given; prints
# "x1 y1 x2 y2", its place on Weston's output.
weston_window() {
    local place
    for _ in $(seq 50); do
        place=$(WAYLAND_DISPLAY=$socket timeout 5 weston-debug scene-graph 2>/dev/null |
            awk -v window="top-level window '$1'" 'index($0, window) {found=1}
                found && /position:/ {gsub(/[(),>-]/, " "); print $2, $3, $4, $5; exit}' || true)
        read -r x1 y1 x2 y2 <<<"${place:-0 0 0 0}"
        [ -n "$place" ] && { [ $# -eq 1 ] || [ "$((x2 - x1)) $((y2 - y1))" = "$2 $3" ]; } && { echo "$place"; return; }
        sleep 0.1
    done
    fail "\"$1\" is not ${2:-shown}${3:+x$3} on Weston: ${place:-not shown}"
}
# Super+Shift+M on the active window, captioned $1, of size $2 x $3.
maximise() {
    xdotool key super+shift+m
    sleep 1
    alive "Super+Shift+M on \"$1\""
    weston_window "$@" >/dev/null
}

start_native
read -r x1 y1 x2 y2 < <(weston_window "$caption")
width=$((x2 - x1)) height=$((y2 - y1)) strip=$((y2 - y1 - 388))
[ "$width" -eq 585 ] && [ "$strip" -gt 0 ] || fail "on Weston the window is ${width}x$height: Qt's frame, no strip"
sleep 0.5
import -window "$output" "$shots/weston.png"
# Qt's frame had its maximise button 40 pixels from the right, 14 down.
at $((x2 - 40)) $((y1 + 14)) click 1
sleep 1
alive "a click where the maximise button was"
read -r x1 y1 _ < <(weston_window "$caption" "$width" "$height")
at $((x1 + 150)) $((y1 + strip + 22)) click 1
maximise "$caption" "$width" "$height"
# Drawn again: a digit into Edit1, a press of Button1.
read -r x1 y1 _ < <(weston_window "$caption")
at $((x1 + 150)) $((y1 + strip + 22)) click 1 type 5
at $((x1 + 84)) $((y1 + strip + 94)) click 1
sleep 1
alive "drawing again after Super+Shift+M"
weston_window "$caption" "$width" "$height" >/dev/null

at $((x1 + 150)) $((y1 + strip + 22)) click --repeat 3 1 type 1e400
at $((x1 + 84)) $((y1 + strip + 94)) click 1
read -r x1 y1 x2 y2 < <(weston_window "$title")
import -window "$output" "$shots/weston-box.png"
maximise "$title" $((x2 - x1)) $((y2 - y1))
stop_all

# --- KWin -------------------------------------------------------------------
# A copy of KWin carries none of the file capability that a container may not
# grant, and keeps the name KWin's platform plugin asks for. KWin grants fake
# input to a client whose desktop file names the interface.
mkdir -p "$scratch/bin" "$scratch/share/applications"
cp /usr/bin/kwin_wayland "$scratch/bin/"
printf '[Desktop Entry]\nType=Application\nName=test input\nExec=%s\nNoDisplay=true\nX-KDE-Wayland-Interfaces=%s\n' \
    "$fake_input" org_kde_kwin_fake_input >"$scratch/share/applications/fake-input.desktop"
read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd ' ')
export DBUS_SESSION_BUS_ADDRESS
pids+=("$bus")
socket=kwin-$$
start_compositor env -u DISPLAY XDG_DATA_DIRS="$scratch/share:/usr/share" XDG_CONFIG_HOME="$scratch/config" \
    XDG_CACHE_HOME="$scratch/cache" "$scratch/bin/kwin_wayland" --virtual --socket "$socket" --width 1280 \
    --height 1024 --no-lockscreen --no-global-shortcuts
cat >"$scratch/report.js" <<'EOF'
for (const w of workspace.clientList()) {
    const g = w.frameGeometry;
    print(["window", w.pid, w.stackingOrder, g.x, g.y, g.width, g.height, w.transient, w.active, w.caption].join(" "));
}
EOF
# Prints "stacking x y width height transient active" of the program's window
# captioned $1, asking KWin anew; nothing until KWin answers on the bus.
kwin_window() {
    local id
    : >"$scratch/$socket.log"
    gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.unloadScript r >/dev/null 2>&1 || return 0
    id=$(gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.loadScript "$scratch/report.js" r |
        tr -dc 0-9)
    gdbus call --session -d org.kde.KWin -o "/$id" -m org.kde.kwin.Script.run >/dev/null
    sleep 0.3
    awk -v pid="$app" -v caption="$1" '$2 == "window" && $3 == pid && substr($0, index($0, $11)) == caption {
        print $4, $5, $6, $7, $8, $9, $10}' "$scratch/$socket.log"
}
keys() { WAYLAND_DISPLAY=$socket "$fake_input" "$@"; }

start_native
for _ in $(seq 50); do
    read -r mainStack mx my mw mh _ < <(kwin_window "$caption") && break
    sleep 0.2
done
[ -n "${mh:-}" ] || fail "no window under KWin"
keys key 29 34 # Ctrl+G
sleep 1
read -r chartStack cx cy cw ch transient active < <(kwin_window 'График отклонений') || fail "Ctrl+G opened no chart"
[ "$transient" = false ] || fail "the chart is transient for the main window"
# A point of the main window that the chart leaves uncovered.
for corner in "$((mx + 8)) $((my + mh - 8))" "$((mx + 8)) $((my + 8))" "$((mx + mw - 8)) $((my + mh - 8))"; do
    read -r px py <<<"$corner"
    [ "$px" -ge "$cx" ] && [ "$px" -lt $((cx + cw)) ] && [ "$py" -ge "$cy" ] && [ "$py" -lt $((cy + ch)) ] || break
done
keys at "$px" "$py" click
sleep 0.5
read -r mainStack _ _ _ _ _ active < <(kwin_window "$caption")
read -r chartStack _ < <(kwin_window 'График отклонений')
[ "$active" = true ] && [ "$mainStack" -gt "$chartStack" ] || fail "a click left the main window below or inactive"
keys key 29 34
sleep 0.5
read -r chartStack _ _ _ _ _ active < <(kwin_window 'График отклонений')
read -r mainStack _ < <(kwin_window "$caption")
[ "$active" = true ] && [ "$chartStack" -gt "$mainStack" ] || fail "Ctrl+G did not bring the chart forward"
kill "$app"

# --- mutter -------------------------------------------------------------------
socket=mutter-$$
start_compositor mutter --nested --wayland --no-x11 --wayland-display "$socket"
start_native
sleep 2
xdotool key ctrl+g # to the main window, active once mapped
sleep 2
alive "Ctrl+G under mutter"
import -window "$output" "$shots/mutter.png"
! grep -a CRITICAL "$scratch/$socket.log" || fail "an assertion failed in mutter"
stop_all
echo "checked on Wayland under Weston, KWin and mutter"
