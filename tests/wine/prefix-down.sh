#!/usr/bin/env bash
# Ends the Wine prefix and the Xvfb display of a test run and removes both.
# Usage: prefix-down.sh WINE_DIR
set -u
dir=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -d "$dir/prefix" ]; then
  # shellcheck source=/dev/null
  source "$here/wine-env.sh" "$dir"
  wineserver -k >/dev/null 2>&1
  timeout 30 wineserver -w >/dev/null 2>&1
fi
if [ -s "$dir/xvfb.pid" ]; then
  kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1
fi
rm -rf "$dir"
exit 0
