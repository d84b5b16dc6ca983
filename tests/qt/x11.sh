# Shared by the tests that drive formula-test on an X server: sourced, not run.

# A cross build's programs start through its emulator, FORMULA_EMULATOR (unset
# natively). qemu-user runs a program in its own process: $! stays the pid that
# the window carries.
read -ra emulator <<<"${FORMULA_EMULATOR:-}"

# Starts openbox and waits until it manages the screen; its pid is in $wm.
start_window_manager() {
    openbox 2>/dev/null &
    wm=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
        sleep 0.05
    done
    echo "FAIL: no window manager" >&2
    exit 1
}

# Prints the window's frame, "x y width height", and whether it is centred on
# the screen by integer halves, to within $2 pixels: "x y width height yes|no".
frame_of() {
    local window=$1 slack=${2:-0} info clientX clientY width height left right top bottom screenWidth screenHeight
    info=$(xwininfo -id "$window")
    read -r clientX clientY width height < <(awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}' <<<"$info")
    read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3+0, $4+0, $5+0, $6+0}')
    read -r screenWidth screenHeight < <(xwininfo -root | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}')
    local x=$((clientX - left)) y=$((clientY - top)) w=$((width + left + right)) h=$((height + top + bottom))
    local dx=$((x - (screenWidth - w) / 2)) dy=$((y - (screenHeight - h) / 2))
    local centred=no
    [ "${dx#-}" -le "$slack" ] && [ "${dy#-}" -le "$slack" ] && centred=yes
    echo "$x $y $w $h $centred"
}
