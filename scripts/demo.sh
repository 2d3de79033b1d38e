#!/usr/bin/env bash
# Builds Setup.exe, packs the sample product of examples/product/ into a
# medium with stptool pack and installs it with Setup.exe under Wine, in a
# throwaway prefix: on the user's display when there is one, otherwise under
# Xvfb, where the wizard is walked for you and screenshots are written to
# screenshots/ (demo.png shows the backdrop window with the welcome page,
# progress.png the installation, finish.png its end, maintenance.png the page
# Setup shows when started again). Lists what was
# installed before the prefix goes.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  ./scripts/screenshots.sh
  cp screenshots/welcome.png screenshots/demo.png
  echo "No display: screenshots written to screenshots/ (demo.png: the welcome page)"
  exit 0
fi

source scripts/sample_run.sh
source scripts/sample_prefix.sh "$work/prefix"
source scripts/own_desktop.sh
wine "$work/medium/Setup.exe"
wineserver -k
source scripts/installed_files.sh "$work/prefix"
