#!/usr/bin/env bash
# Builds Setup.exe, packs the sample product of examples/product/ into a
# medium with stptool pack and runs Setup.exe from it under Wine: on the user's
# display when there is one, otherwise under Xvfb, writing screenshots to
# screenshots/ (demo.png shows the backdrop window with the welcome page).
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
wine "$work/medium/Setup.exe"
wineserver -k
