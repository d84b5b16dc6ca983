#!/usr/bin/env bash
# Sets up the Wine prefix in WINEPREFIX for the window's tests, and a Russian
# locale under LOCALE-DIR (LOCPATH; LC_ALL=ru_RU.UTF-8 selects it).
# Usage: wine_prefix.sh LOCALE-DIR
set -euo pipefail
locales=$1
# Debian's Wine does not find its own fonts: without them in the prefix,
# "MS Sans Serif" is another font.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
# With no debugger a crash ends the program instead of starting winedbg, which
# would hang the test; Wine draws the caption itself, as there is no window
# manager.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# The machine may have no Russian locale: LANG alone would not do anyway.
mkdir -p "$locales"
[ -d "$locales/ru_RU.UTF-8" ] || localedef -i ru_RU -f UTF-8 "$locales/ru_RU.UTF-8"
