#!/usr/bin/env bash
# Runs a command with Wine's screen at DPI pixels per inch: Wine reads
# LogPixels when a process starts. FORMULA_DPI tells the tests.
# Usage: at_dpi.sh DPI COMMAND [ARGUMENT...]
set -euo pipefail
dpi=$1
shift
[ -n "${DISPLAY:-}" ] || { echo "at_dpi.sh: no X display; run ctest under tests/qt/on_xvfb.sh 1024x768x24" >&2; exit 1; }
# A test that failed in 0.01 s without a word suggests the call can fail at
# once while the test before is still leaving Wine: it is tried again a
# moment later, and its error shown when it keeps failing.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for try in 1 2 3; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>"$errors" && break
    [ "$try" -lt 3 ] || { cat "$errors" >&2; exit 1; }
    sleep 1
done
FORMULA_DPI=$dpi "$@"
