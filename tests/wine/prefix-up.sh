#!/usr/bin/env bash
# Makes the throwaway 32-bit Wine prefix and the Xvfb display of one test run.
# Usage: prefix-up.sh WINE_DIR
set -euo pipefail
dir=$1
here=$(cd "$(dirname "$0")" && pwd)
"$here/prefix-down.sh" "$dir"
mkdir -p "$dir"

# Xvfb picks a free display and writes its number to the display file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 &
echo $! >"$dir/xvfb.pid"
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  sleep 0.1
done
[ -s "$dir/display" ] || { echo "prefix-up: Xvfb did not start" >&2; exit 1; }

# shellcheck source=/dev/null
source "$here/wine-env.sh" "$dir"
timeout 300 wineboot -i >/dev/null 2>&1
timeout 60 "$here/prefix-fonts.sh"
# Crashes end the program instead of waiting on a dialog.
timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
timeout 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1
timeout 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d 'false' /f >/dev/null 2>&1
# No window manager runs on the display: Wine would wait for one each time a
# window is hidden.
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
timeout 120 wineserver -w
echo "prefix ready: $WINEPREFIX on display $DISPLAY"
