#!/usr/bin/env bash
# Builds Setup.exe and runs it under Wine: on the user's display when there is
# one, otherwise under Xvfb, writing a screenshot to screenshots/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh

root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
medium="$work/medium"
mkdir -p "$medium"
cp build/win32/bin/Setup.exe "$medium/"

export WINEPREFIX="$work/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
  wine "$medium/Setup.exe"
  wineserver -k
else
  mkdir -p screenshots
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wineboot -i >/dev/null 2>&1
    wineserver -w
    wine "$1/Setup.exe" &
    sleep 6
    import -window root "$2/screenshots/demo.png"
    wineserver -k
  ' demo "$medium" "$root"
  echo "No display: screenshot written to screenshots/demo.png"
fi
