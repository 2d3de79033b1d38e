#!/usr/bin/env bash
# Makes a sample installation medium from examples/: Setup.exe, Setup.inf and
# a page picture drawn by ImageMagick.
# Usage: sample_medium.sh DIR   (Setup.exe must be built)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
medium=$1
mkdir -p "$medium"
cp "$root/build/win32/bin/Setup.exe" "$root/examples/Setup.inf" "$medium/"
# BMP3: the plain Windows 3 format, which every Windows loads.
convert -size 119x258 gradient:'#1f3f8f'-'#9fc7ff' BMP3:"$medium/setup.bmp"
