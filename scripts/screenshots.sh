#!/usr/bin/env bash
# Starts Setup.exe under Xvfb on the sample medium and writes PNGs of the
# backdrop with the welcome page, the cancel confirmation, the about box, the
# system information page, the destination directory page, the folder
# browser and the finish dialog in both forms to screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sample_run.sh
cp build/win32/bin/screenshot_tour.exe "$work/"
mkdir -p "$work/shots" screenshots

# A virtual desktop of Wine's own draws the window frames that a window
# manager would draw.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source "$2/scripts/sample_prefix.sh" "$1/prefix"
  wine explorer /desktop=stpsetup,1024x768 "$1/screenshot_tour.exe" "$(winepath -w "$1/medium")" \
    "$(winepath -w "$1/shots")"
  wineserver -k
' screenshots "$work" "$root"

for shot in welcome cancel about sysinfo destination browser finish finish-restart; do
  convert "$work/shots/$shot.bmp" "screenshots/$shot.png"
  echo "screenshots/$shot.png"
done
