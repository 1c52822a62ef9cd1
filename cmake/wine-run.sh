#!/usr/bin/env bash
# CTest's emulator in the 64-bit Windows build: runs a Windows program under Wine.
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# Each screen density gets its own Wine prefix, PREFIX-DPI, made on first use (about 8 s), at
# TEST_SCREEN_DPI dots per inch (96 where unset) and with Wine's null display driver, so that
# real windows and message boxes work without an X server.
set -euo pipefail
dpi=${TEST_SCREEN_DPI:-96}
export WINEPREFIX="$1-$dpi" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
wine=/usr/lib/wine/wine64
if [ ! -e "$WINEPREFIX/m3u8-ready" ]; then
  unset DISPLAY
  "$wine" wineboot --init
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  # Settings are read when Wine starts: end this prefix's Wine so that the next run sees them.
  /usr/lib/wine/wineserver -k || true
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/m3u8-ready"
fi
exec "$wine" "$@"
