# Sourced with a folder: makes a throwaway 32-bit Wine prefix there, ready for
# a person to look at, and leaves its environment exported for the caller.
export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# Wine has no Times New Roman of its own; with this the title keeps its serifs.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ /d 'DejaVu Serif' /f \
  >/dev/null 2>&1
wineserver -w
