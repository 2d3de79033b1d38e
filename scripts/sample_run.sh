# Sourced by the demo and screenshot scripts, from the repository root:
# builds everything, makes a work folder (removed on exit) with the sample
# installation medium in $work/medium, packed by stptool from
# examples/product/, and offers sample_prefix DIR, which makes a throwaway
# 32-bit Wine prefix ready for a person to look at.
./scripts/setup.sh
./scripts/build.sh
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# BMP3: the plain Windows 3 format, which every Windows loads.
convert -size 119x258 gradient:'#1f3f8f'-'#9fc7ff' BMP3:"$work/setup.bmp"
build/tools/stptool/stptool pack -b "$work/setup.bmp" -e build/win32/bin/Setup.exe \
  examples/product/Textwerk.txt examples/product/files "$work/medium"

sample_prefix() {
  export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  # Wine has no Times New Roman of its own; with this the title keeps its serifs.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ /d 'DejaVu Serif' /f \
    >/dev/null 2>&1
  wineserver -w
}
export -f sample_prefix
