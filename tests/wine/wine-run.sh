#!/usr/bin/env bash
# Runs one Windows program under Wine in the test run's prefix.
# Usage: wine-run.sh WINE_DIR PROGRAM.exe [ARGS...]
# WINE_DIR holds the prefix and the display that prefix-up.sh made.
set -u
dir=$1
shift
# shellcheck source=/dev/null
source "$(dirname "$0")/wine-env.sh" "$dir"
if [ ! -d "$WINEPREFIX" ] || [ ! -s "$dir/display" ]; then
  echo "wine-run: no prefix in $dir (run the wine_prefix_up test first)" >&2
  exit 2
fi
# A hung program must not hang the test run.
exec timeout -k 5 "${STP_WINE_TIMEOUT:-110}" wine "$@"
