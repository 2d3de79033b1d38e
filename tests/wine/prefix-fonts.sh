#!/usr/bin/env bash
# Gives the Wine prefix in $WINEPREFIX the faces that Setup's windows are laid
# out for, with the metrics they have on Windows:
# - Wine's own fonts from Debian's fonts-wine, which this Wine does not find
#   by itself: "MS Sans Serif" is then the bitmap font sserife.fon, as on
#   Windows (the prefix's font list names that file; the bitmap-only
#   ms_sans_serif.ttf beside it serves no 8-point text), and "Tahoma",
#   "System" and "Small Fonts" come along. Without them every face falls back
#   to a wider one and the pages' fixed labels cut their texts off.
# - "Times New Roman", which Wine lacks, as Liberation Serif (fonts-liberation2),
#   whose letters are as wide.
# Usage: prefix-fonts.sh (with WINEPREFIX and the rest of Wine's environment set)
set -euo pipefail
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp /usr/share/wine/fonts/* "$fonts/"
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ /d 'Liberation Serif' /f \
  >/dev/null 2>&1
