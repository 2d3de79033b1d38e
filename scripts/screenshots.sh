#!/usr/bin/env bash
# Starts Setup.exe under Xvfb on the sample medium, walks it through the
# wizard and installs the sample product in a throwaway Wine prefix, writing
# PNGs to screenshots/: the backdrop with the welcome page, the cancel
# confirmation, the about box, the system information page, the destination
# directory page, the folder browser, the installation page during the run
# and the finish dialog in both forms, and the maintenance page that Setup
# shows when started again. Lists what the installation left in
# the prefix before the prefix goes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sample_run.sh
cp build/win32/bin/screenshot_tour.exe "$work/"
mkdir -p "$work/shots" screenshots

# A virtual desktop of Wine's own draws the window frames that a window
# manager would draw.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  source "$2/scripts/sample_prefix.sh" "$1/prefix"
  source "$2/scripts/own_desktop.sh"
  wine explorer /desktop=stpsetup,1024x768 "$1/screenshot_tour.exe" "$(winepath -w "$1/medium")" \
    "$(winepath -w "$1/shots")"
  wineserver -k
' screenshots "$work" "$root"

for shot in welcome cancel about sysinfo destination browser progress finish finish-restart maintenance; do
  convert "$work/shots/$shot.bmp" "screenshots/$shot.png"
  echo "screenshots/$shot.png"
done
source scripts/installed_files.sh "$work/prefix"
