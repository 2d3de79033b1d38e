# Sourced by the demo and screenshot scripts: a throwaway 32-bit Wine prefix
# in $1, made ready for a person to look at.
export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# Wine has no Times New Roman of its own; the title then keeps its serifs.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ /d 'DejaVu Serif' /f \
  >/dev/null 2>&1
wineserver -w
