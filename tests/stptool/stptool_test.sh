#!/usr/bin/env bash
# Drives stptool as a user would: round trips of streams and of the sample
# product's media, a known stream, the exit statuses and messages of the
# ways a call can go wrong, signals, file-size limits, pipes in place of
# files, and the command-line conventions.
# Usage: stptool_test.sh STPTOOL
set -u
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
product=$(cd "$(dirname "$0")/../../examples/product" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect STATUS TEXT COMMAND...: the command ends with STATUS and says TEXT
# on stderr.
expect() {
  local status=$1 text=$2
  shift 2
  "$@" 2>"$work/stderr" >/dev/null
  local got=$?
  [ "$got" -eq "$status" ] || fail "$* ended with $got, not $status"
  grep -qF -- "$text" "$work/stderr" || fail "$* did not say '$text': $(cat "$work/stderr")"
}

# Round trips through both commands.
printf '' >"$work/empty"
seq 1 40000 >"$work/numbers"
head -c 100000 /dev/zero >"$work/zeros"
for name in empty numbers zeros; do
  "$tool" encode "$work/$name" "$work/$name.lzh" || fail "encode $name"
  "$tool" decode "$work/$name.lzh" "$work/$name.out" || fail "decode $name"
  cmp -s "$work/$name" "$work/$name.out" || fail "$name did not come back"
done
[ ! -s "$work/empty.lzh" ] || fail "an empty file gave a non-empty stream"
[ "$(stat -c %s "$work/numbers.lzh")" -lt 100000 ] || fail "numbers did not shrink"

# A stream worked out by hand decodes to "abc".
printf '\xF6\xFB\xBD\xF0' >"$work/abc.lzh"
"$tool" decode "$work/abc.lzh" "$work/abc" || fail "decode abc"
[ "$(cat "$work/abc")" = abc ] || fail "abc stream gave '$(cat "$work/abc")'"

# expect_output STATUS TEXT COMMAND...: the command ends with STATUS and
# prints TEXT on stdout.
expect_output() {
  local status=$1 text=$2
  shift 2
  "$@" >"$work/stdout" 2>/dev/null
  local got=$?
  [ "$got" -eq "$status" ] || fail "$* ended with $got, not $status"
  grep -qF -- "$text" "$work/stdout" || fail "$* did not print '$text': $(cat "$work/stdout")"
}

# interrupt SIGNAL PATH COMMAND...: starts the command, sends it SIGNAL once
# PATH exists (the run is under way), and sets $status to its exit status.
# Job control keeps SIGINT from being ignored in the background.
interrupt() {
  local signal=$1 path=$2
  shift 2
  set -m
  "$@" >/dev/null 2>"$work/stderr" &
  local pid=$!
  for _ in $(seq 1000); do
    [ -e "$path" ] && break
    sleep 0.01
  done
  kill -"$signal" "$pid"
  wait "$pid"
  status=$?
  set +m
}

expect 2 "usage: stptool COMMAND" "$tool"
expect 2 "unknown command 'pak'" "$tool" pak a b
expect 2 "usage: stptool encode IN OUT" "$tool" encode only-one
expect 2 "usage: stptool decode IN OUT" "$tool" decode a b c
expect 2 "cannot open '$work/missing'" "$tool" decode "$work/missing" "$work/out"
expect 2 "cannot open '$work/missing'" "$tool" encode "$work/missing" "$work/out"
expect 2 "cannot create '$work/no/such/dir'" "$tool" encode "$work/numbers" "$work/no/such/dir"
if [ -w /dev/full ]; then
  expect 1 "cannot write '/dev/full'" "$tool" decode "$work/numbers.lzh" /dev/full
  [ -c /dev/full ] || fail "a failed decode removed /dev/full"
fi
"$tool" --help | grep -q "decode IN OUT" || fail "--help does not list decode"

# Every command explains itself on stdout; -- ends the options.
for command in pack list extract test encode decode; do
  expect_output 0 "usage: stptool $command" "$tool" "$command" --help
done
expect_output 0 "stptool 1.0" "$tool" --version
cp "$work/numbers.lzh" "$work/-n.lzh"
(cd "$work" && "$tool" decode -- -n.lzh -n) || fail "decode -- -n.lzh -n"
cmp -s "$work/numbers" "$work/-n" || fail "-- did not end the options"

# A file-size limit fails the write, which is reported; no partial output.
head -c 300000 /dev/urandom >"$work/random"
"$tool" encode "$work/random" "$work/random.lzh" || fail "encode random"
for command in encode decode; do
  input=$work/random
  [ "$command" = decode ] && input=$work/random.lzh
  (ulimit -f 100 && "$tool" "$command" "$input" "$work/limited") 2>"$work/stderr"
  [ $? -eq 1 ] || fail "$command over the file-size limit did not end with 1"
  grep -q "File too large" "$work/stderr" || fail "$command over the limit: $(cat "$work/stderr")"
  [ ! -e "$work/limited" ] || fail "$command over the limit left a partial file"
done

# The sample product, packed in every arrangement, comes back byte for byte
# with its times; the placeholders become folders.
for layout in "" "-v 500" "-v 500 -d below" "-v 500 -d beside"; do
  rm -rf "$work/medium" "$work/out"
  # shellcheck disable=SC2086
  "$tool" pack $layout "$product/Textwerk.txt" "$product/files" "$work/medium" >"$work/stdout" 2>"$work/stderr" ||
    fail "pack $layout"
  [ ! -s "$work/stdout" ] && grep -q "^packed 6 files" "$work/stderr" || fail "pack $layout: summary not on stderr"
  "$tool" list --no-prompt "$work/medium" >"$work/list" || fail "list $layout"
  grep -q "Vorlagen/Geschäftsbrief.txt" "$work/list" || fail "list $layout does not show the letter"
  "$tool" extract -q --no-prompt "$work/medium" "$work/out" >"$work/stdout" 2>"$work/stderr" ||
    fail "extract $layout"
  [ ! -s "$work/stdout" ] && [ ! -s "$work/stderr" ] || fail "extract -q $layout printed something"
  while IFS='|' read -r source installed; do
    cmp -s "$product/files/$source" "$work/out/$installed" || fail "$layout: $installed differs from $source"
    [ "$(stat -c %Y "$product/files/$source")" = "$(stat -c %Y "$work/out/$installed")" ] ||
      fail "$layout: $installed has another time"
  done <<'FILES'
Liesmich.txt|Liesmich.txt
Lizenz.txt|Lizenz.txt
Vorlagen/Geschäftsbrief.txt|Vorlagen/Geschäftsbrief.txt
Vorlagen/Rechnung.txt|Vorlagen/Rechnung.txt
textwerk.ini|<windir>/textwerk.ini
Textwerk lesen.txt|<desktop>/Textwerk lesen.txt
FILES
done
[ -f "$work/medium/Disk1/Setup.inf" ] && [ -f "$work/medium/Disk2/Setup2.stp" ] || fail "beside: wrong places"

# A medium without the launcher is told apart, also with -q: its uninstall
# entry would start nothing. -l and --launcher add it as the last file.
rm -rf "$work/launcher-medium"
"$tool" pack -q "$product/Textwerk.txt" "$product/files" "$work/launcher-medium" 2>"$work/stderr" || fail "pack -q"
grep -q "warning: the medium installs no Setup/LAUNCHER.EXE" "$work/stderr" ||
  fail "pack without a launcher did not warn: $(cat "$work/stderr")"
printf 'MZ launcher' >"$work/LAUNCHER.EXE"
for option in -l --launcher; do
  rm -rf "$work/launcher-medium" "$work/launcher-out"
  "$tool" pack "$option" "$work/LAUNCHER.EXE" "$product/Textwerk.txt" "$product/files" "$work/launcher-medium" \
    2>"$work/stderr" || fail "pack $option"
  grep -q warning "$work/stderr" && fail "pack $option warned: $(cat "$work/stderr")"
  grep -q "^packed 7 files" "$work/stderr" || fail "pack $option: $(cat "$work/stderr")"
  "$tool" list "$work/launcher-medium" | grep -q "Setup/LAUNCHER.EXE$" || fail "list after pack $option"
  "$tool" extract -q "$work/launcher-medium" "$work/launcher-out" || fail "extract after pack $option"
  cmp -s "$work/LAUNCHER.EXE" "$work/launcher-out/Setup/LAUNCHER.EXE" || fail "$option: the launcher differs"
done

expect 2 "usage: stptool pack" "$tool" pack "$product/Textwerk.txt"
expect 2 "is not empty" "$tool" pack "$product/Textwerk.txt" "$product/files" "$work/medium"
printf '[product]\norganisation = B\nproduct = T\nversion = 1\n[files]\nmissing.txt\n' >"$work/bad.txt"
expect 2 "bad.txt:6: no file" "$tool" pack "$work/bad.txt" "$product/files" "$work/new"
[ ! -e "$work/new" ] || fail "a refused pack left $work/new behind"
expect 2 "cannot create the folder '$work/missing/medium': No such file or directory" \
  "$tool" pack "$product/Textwerk.txt" "$product/files" "$work/missing/medium"
expect 2 "cannot create the folder '$work/numbers/out': '$work/numbers' is in the way" \
  "$tool" extract "$work/medium" "$work/numbers/out"
expect 2 "no Setup.inf in '$work/nothing'" "$tool" list "$work/nothing"

# extract replaces nothing unless told; a listing that cannot be written
# fails.
expect 2 "Liesmich.txt' already exists; give --overwrite" "$tool" extract "$work/medium" "$work/out"
"$tool" extract -q --overwrite "$work/medium" "$work/out" || fail "extract --overwrite"
if [ -w /dev/full ]; then
  expect 1 "cannot write the output" sh -c '"$1" list "$2" >/dev/full' sh "$tool" "$work/medium"
fi

# test: an intact medium passes; damage is named line by line on stdout
# and ends with 3; list and extract refuse a damaged file and do not write
# it.
"$tool" pack -q "$product/Textwerk.txt" "$product/files" "$work/tested" || fail "pack for test"
expect_output 0 "6 files, 2" "$tool" test "$work/tested"
grep -q "with their checksums: no problems$" "$work/stdout" || fail "test of an intact medium: $(cat "$work/stdout")"
[ -z "$("$tool" test -q "$work/tested")" ] || fail "test -q printed something for an intact medium"
cp -r "$work/tested" "$work/flipped"
size=$(stat -c %s "$work/flipped/Setup.stp")
printf '\x55' | dd of="$work/flipped/Setup.stp" bs=1 seek=$((size / 2)) conv=notrunc status=none
expect_output 3 "is damaged: its data in '$work/flipped/Setup.stp' decode to" "$tool" test "$work/flipped"
grep -q "problem.*the medium is damaged$" "$work/stdout" || fail "test: no summary: $(cat "$work/stdout")"
expect 3 "is damaged" "$tool" list "$work/flipped"
expect 3 "; it was not written" "$tool" extract "$work/flipped" "$work/flipped-out"
damaged=$(sed -n "s|^stptool extract: '\([^']*\)' is damaged.*|\1|p" "$work/stderr")
[ -n "$damaged" ] && [ ! -e "$damaged" ] || fail "extract left the damaged file '$damaged'"
[ -z "$(find "$work/flipped-out" -name '~stp*')" ] || fail "extract left a file beside the damaged one"
cp -r "$work/tested" "$work/trailing"
printf 'more' >>"$work/trailing/Setup.stp"
expect_output 3 "holds 4 bytes after the end of the setup data" "$tool" test "$work/trailing"
sed '/^\[Checksums\]/,/^\[Links\]/{/^\[Links\]/!d}' "$work/tested/Setup.inf" >"$work/trailing/Setup.inf"
head -c "$size" "$work/tested/Setup.stp" >"$work/trailing/Setup.stp"
expect_output 0 "without checksums" "$tool" test "$work/trailing"
: >"$work/trailing/Setup.inf"
expect_output 3 "Setup.inf' is empty" "$tool" test "$work/trailing"

# The core's failures are told in English, naming the cause: an empty first
# volume, and a file that cannot be created.
"$tool" pack -q -v 500 "$product/Textwerk.txt" "$product/files" "$work/cut" || fail "pack -v 500"
: >"$work/cut/Setup1.stp"
expect 3 "Setup1.stp' is incomplete: it is empty" "$tool" extract --no-prompt "$work/cut" "$work/cut-out"
mkdir "$work/locked"
if [ "$(id -u)" -eq 0 ] && command -v chattr >/dev/null && chattr +i "$work/locked" 2>/dev/null; then
  expect 2 "cannot create '$work/locked/Liesmich.txt': Operation not permitted" \
    "$tool" extract "$work/tested" "$work/locked"
  chattr -i "$work/locked"
elif [ "$(id -u)" -ne 0 ]; then
  chmod a-w "$work/locked"
  expect 2 "cannot create '$work/locked/Liesmich.txt': Permission denied" "$tool" extract "$work/tested" "$work/locked"
  chmod u+w "$work/locked"
fi

# A link in the destination would lead the files out of it.
mkdir -p "$work/linked" "$work/outside"
ln -s "$work/outside" "$work/linked/Vorlagen"
expect 3 "through the symbolic link" "$tool" extract "$work/medium" "$work/linked"
[ -z "$(ls -A "$work/outside")" ] || fail "extract wrote through a link"

# A missing volume: an error without the prompt, and without a terminal to
# ask on; a question on a terminal.
mv "$work/medium/Disk2" "$work/Disk2"
expect 3 "volume 2 is missing" "$tool" extract --no-prompt "$work/medium" "$work/out2"
echo q | "$tool" extract "$work/medium" "$work/out3" >/dev/null 2>"$work/stderr"
[ $? -eq 3 ] && grep -q "volume 2 is missing" "$work/stderr" || fail "a prompt without a terminal: $(cat "$work/stderr")"
if command -v script >/dev/null; then
  (sleep 0.5 && echo q) | script -qec "'$tool' extract '$work/medium' '$work/out4'" /dev/null >"$work/stderr"
  [ $? -eq 1 ] || fail "giving up at the prompt did not end with 1"
  grep -q "Volume 2 (Setup2.stp) is missing" "$work/stderr" || fail "no prompt: $(cat "$work/stderr")"
  grep -q "gave up waiting for a missing volume" "$work/stderr" || fail "no give-up: $(cat "$work/stderr")"
fi
mv "$work/Disk2" "$work/medium/Disk2"

# A target that would leave the destination folder, or that Windows would
# not keep.
for target in '..\\Liesmich.txt' 'NUL' 'sub\\evil.'; do
  sed "s/^1=[^,]*/1=$target/" "$work/medium/Disk1/Setup.inf" >"$work/Setup.inf"
  mkdir -p "$work/bad"
  cp "$work/Setup.inf" "$work/medium/Disk1/Setup1.stp" "$work/bad/"
  expect 3 "[Files] 1: the target" "$tool" extract "$work/bad" "$work/out5"
  [ ! -e "$work/out5" ] || fail "a medium with the target $target was extracted"
done

# Setup.inf that is no medium's, and pipes where files belong.
mkdir -p "$work/broken"
cp "$work/medium/Disk1/Setup1.stp" "$work/broken/"
: >"$work/broken/Setup.inf"
expect 3 "Setup.inf' is empty" "$tool" extract "$work/broken" "$work/out6"
printf '[General]\r\nProduct=T\r\n' >"$work/broken/Setup.inf"
expect 3 "holds no file table" "$tool" list "$work/broken"
cp "$work/medium/Disk1/Setup.inf" "$work/broken/"
rm "$work/broken/Setup1.stp"
mkfifo "$work/broken/Setup1.stp"
expect 2 "Setup1.stp': not a regular file" timeout 10 "$tool" extract "$work/broken" "$work/out6"
rm "$work/broken/Setup1.stp" "$work/broken/Setup.inf"
mkfifo "$work/broken/Setup.inf"
expect 2 "Setup.inf': not a regular file" timeout 10 "$tool" list "$work/broken"
[ ! -e "$work/out6" ] || fail "a broken medium was extracted"

# SIGINT, SIGTERM and SIGHUP end a run alike: exit status 1, nothing left of
# a medium, the unfinished file named and not written.
mkdir -p "$work/large"
head -c 20000000 /dev/urandom >"$work/large/large.bin"
printf '[product]\norganisation = B\nproduct = T\nversion = 1\n[files]\nlarge.bin\n' >"$work/large.txt"
for signal in INT TERM HUP; do
  interrupt "$signal" "$work/interrupted/Setup.stp" "$tool" pack "$work/large.txt" "$work/large" "$work/interrupted"
  [ "$status" -eq 1 ] && grep -q "interrupted" "$work/stderr" || fail "pack and SIG$signal: $status, $(cat "$work/stderr")"
  [ ! -e "$work/interrupted" ] || fail "pack and SIG$signal left a medium behind"
done
"$tool" pack -q "$work/large.txt" "$work/large" "$work/large-medium" || fail "pack large"
for signal in INT TERM HUP; do
  interrupt "$signal" "$work/unpacked/~stp0.tmp" "$tool" extract "$work/large-medium" "$work/unpacked"
  [ "$status" -eq 1 ] && grep -q "interrupted; the unfinished '$work/unpacked/large.bin' was not written" "$work/stderr" ||
    fail "extract and SIG$signal: $status, $(cat "$work/stderr")"
  [ ! -e "$work/unpacked/large.bin" ] && [ ! -e "$work/unpacked/~stp0.tmp" ] ||
    fail "extract and SIG$signal left the unfinished file"
  rm -rf "$work/unpacked"
done

# A file-size limit ends pack and extract with the write error, cleaned up.
(ulimit -f 1000 && "$tool" pack "$work/large.txt" "$work/large" "$work/limited") 2>"$work/stderr"
[ $? -eq 1 ] && [ ! -e "$work/limited" ] || fail "pack over the file-size limit: $(cat "$work/stderr")"
(ulimit -f 1000 && "$tool" extract "$work/large-medium" "$work/limited") 2>"$work/stderr"
[ $? -eq 1 ] && grep -q "cannot write '$work/limited/large.bin': File too large; the unfinished .* was not written" "$work/stderr" ||
  fail "extract over the limit: $(cat "$work/stderr")"
[ ! -e "$work/limited/large.bin" ] || fail "extract over the file-size limit left a partial file"

[ "$failures" -eq 0 ] && echo "all stptool checks passed"
exit $((failures > 0))
