#!/usr/bin/env bash
# Installs a deterministic medium of about 52 MB (the benchmarks' mixed
# corpus, packed by stptool pack into one Setup.stp) through Setup.exe's
# whole wizard under Wine, and in the same prefix unpacks the same medium
# with stptool.exe extract. Three rounds; prints every time, the medians and
# their ratio.
#
# The installation is timed from the click on "&Weiter >" of the destination
# page to the finish dialog, and so includes the page's fixed 500 ms wait
# before the run starts; the ratio is given with and without it. The
# extraction is the whole `wine stptool.exe extract` run, and so includes
# starting a program under Wine, which is timed alone as well.
# Usage: bench/install_bench.sh (after ./scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'tests/wine/prefix-down.sh "$work/wine"; rm -rf "$work"' EXIT

build/bench/bench_corpus "$work"
build/tools/stptool/stptool pack -e build/win32/bin/Setup.exe -b build/win32/bin/setup.bmp "$work/Messung.txt" "$work/files" "$work/medium"
cp build/win32/bin/install_timing.exe build/win32/bin/stptool.exe "$work/"
tests/wine/prefix-up.sh "$work/wine" >/dev/null
# shellcheck source=/dev/null
source tests/wine/wine-env.sh "$work/wine"
medium=$(winepath -w "$work/medium")
extracted="$WINEPREFIX/drive_c/Entpackt"

seconds() { date +%s.%N; }
median() { printf '%s\n' "$@" | sort -g | sed -n 2p; }

installs=() extracts=() starts=()
for round in 1 2 3; do
  # Wine's notes on stderr matter only when the timing fails.
  installs+=("$(wine "$work/install_timing.exe" "$medium" 2>"$work/timing.log" | tr -d '\r')")
  [ -n "${installs[-1]}" ] || { cat "$work/timing.log" >&2; exit 1; }
  rm -rf "$extracted"
  start=$(seconds)
  wine "$work/stptool.exe" extract "$medium" 'C:\Entpackt' >/dev/null 2>&1
  extracts+=("$(echo "$(seconds) - $start" | bc)")
  start=$(seconds)
  wine "$work/stptool.exe" --help >/dev/null 2>&1
  starts+=("$(echo "$(seconds) - $start" | bc)")
  echo "round $round: installation ${installs[-1]} s, extraction ${extracts[-1]} s, program start ${starts[-1]} s"
done
install=$(median "${installs[@]}")
extract=$(median "${extracts[@]}")
echo "medium: $(du -sb "$work/medium/Setup.stp" | cut -f1) bytes of setup data," \
  "$(du -sb --apparent-size "$work/files" | cut -f1) bytes installed"
echo "median installation through the wizard: $install s"
echo "median stptool.exe extract:              $extract s (of which starting it: $(median "${starts[@]}") s)"
echo "ratio installation / extraction:         $(echo "scale=2; $install / $extract" | bc)" \
  "(without the page's 500 ms wait: $(echo "scale=2; ($install - 0.5) / $extract" | bc))"
