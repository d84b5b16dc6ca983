# What the scripts that work formula-test.exe under Wine as a user would have
# in common; sourced, with the program's process in $app.

fail() { echo "FAIL: $*" >&2; exit 1; }

# find_window NAME: the X window of that name, waited for; boxes come and go
# asynchronously.
find_window() {
    local window
    for _ in $(seq 200); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && { echo "$window"; return; }
        sleep 0.1
    done
    fail "no window \"$1\""
}

# Alt+F4 to the window under the pointer: the program ends, with exit code 0.
end_by_alt_f4() {
    xdotool key alt+F4
    for _ in $(seq 100); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app" 2>/dev/null && fail "the program goes on after Alt+F4"
    wait "$app" || fail "exit code $?"
}
