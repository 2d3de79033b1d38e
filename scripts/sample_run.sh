# Sourced by the demo and screenshot scripts, from the repository root:
# builds everything, makes a work folder (removed on exit) with the sample
# installation medium in $work/medium, packed by stptool from
# examples/product/. scripts/sample_prefix.sh makes a Wine prefix to run it in.
./scripts/setup.sh
./scripts/build.sh
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# BMP3: the plain Windows 3 format, which every Windows loads.
convert -size 119x258 gradient:'#1f3f8f'-'#9fc7ff' BMP3:"$work/setup.bmp"
build/tools/stptool/stptool pack -b "$work/setup.bmp" -e build/win32/bin/Setup.exe \
  -l build/win32/bin/LAUNCHER.EXE examples/product/Textwerk.txt examples/product/files "$work/medium"
