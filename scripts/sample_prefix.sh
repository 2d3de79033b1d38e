# Sourced with a folder: makes a throwaway 32-bit Wine prefix there, ready for
# a person to look at, and leaves its environment exported for the caller.
export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
# The faces the windows are laid out for, as the test prefixes have them.
"$(dirname "${BASH_SOURCE[0]}")/../tests/wine/prefix-fonts.sh"
wineserver -w
