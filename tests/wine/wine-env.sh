# Sourced: the environment of the test run's Wine prefix in directory $1.
export WINEPREFIX="$1/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No download dialogs for Mono or Gecko while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Windows-1252 as the prefix's ANSI code page, whatever the machine's locale.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
if [ -s "$1/display" ]; then
  DISPLAY=":$(cat "$1/display")"
  export DISPLAY
fi
