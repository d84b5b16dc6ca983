#!/usr/bin/env bash
# Runs a command with Wine's screen at DPI pixels per inch: Wine reads
# LogPixels when a process starts. FORMULA_DPI tells the tests.
# Usage: at_dpi.sh DPI COMMAND [ARGUMENT...]
set -euo pipefail
dpi=$1
shift
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
FORMULA_DPI=$dpi "$@"
