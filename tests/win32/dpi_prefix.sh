#!/usr/bin/env bash
# A Wine prefix of its own whose display is at another DPI, for the tests of the windows at
# that scale; its graphics driver is the null driver, so that it needs no display.
#   dpi_prefix.sh start PREFIX DPI   makes the prefix if need be, sets its DPI, starts its server
#   dpi_prefix.sh stop PREFIX        stops its server
# The server is started with every stream closed, so that it holds no test's output open.
set -euo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
quietly() { "$@" >/dev/null 2>&1 </dev/null; }
if [ "$1" = stop ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi
mkdir -p "$WINEPREFIX"
quietly wineserver -p
[ -f "$WINEPREFIX/system.reg" ] || quietly wineboot -i
quietly wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
quietly wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$3" /f
# The driver and the DPI are read when the prefix's desktop starts.
wineserver -k 2>/dev/null || true
wineserver -w
quietly wineserver -p
quietly wineboot
