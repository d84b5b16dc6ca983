#!/usr/bin/env bash
# Runs a command on an X server of its own: Xvfb picks a free display number
# itself, so tests that run at the same time never share one, and it does not
# reset (refusing connections a moment) whenever its last client leaves.
# Usage: on_xvfb.sh WIDTHxHEIGHTxDEPTH COMMAND [ARGUMENT...]
set -euo pipefail
screen=$1
shift

dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill $server 2>/dev/null || true; wait $server 2>/dev/null || true; rm -rf "$dir"' EXIT
for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 $server 2>/dev/null || { cat "$dir/log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(cat "$dir/display") "$@"
