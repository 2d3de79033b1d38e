#!/usr/bin/env bash
# Drives stptool as a user would: round trips of streams and of the sample
# product's media, a known stream, and the exit statuses and messages of the
# ways a call can go wrong.
# Usage: stptool_test.sh STPTOOL
set -u
tool=$1
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

expect 2 "usage: stptool COMMAND" "$tool"
expect 2 "unknown command 'pak'" "$tool" pak a b
expect 2 "usage: stptool encode IN OUT" "$tool" encode only-one
expect 2 "usage: stptool decode IN OUT" "$tool" decode a b c
expect 2 "cannot open '$work/missing'" "$tool" decode "$work/missing" "$work/out"
expect 2 "cannot open '$work/missing'" "$tool" encode "$work/missing" "$work/out"
expect 2 "cannot create '$work/no/such/dir'" "$tool" encode "$work/numbers" "$work/no/such/dir"
if [ -w /dev/full ]; then
  expect 1 "cannot write '/dev/full'" "$tool" decode "$work/numbers.lzh" /dev/full
fi
"$tool" --help | grep -q "decode IN OUT" || fail "--help does not list decode"

# The sample product, packed in every arrangement, comes back byte for byte
# with its times; the placeholders become folders.
for layout in "" "-v 500" "-v 500 -d below" "-v 500 -d beside"; do
  rm -rf "$work/medium" "$work/out"
  # shellcheck disable=SC2086
  "$tool" pack $layout "$product/Textwerk.txt" "$product/files" "$work/medium" >/dev/null || fail "pack $layout"
  "$tool" list --no-prompt "$work/medium" >"$work/list" || fail "list $layout"
  grep -q "Vorlagen.Geschäftsbrief.txt" "$work/list" || fail "list $layout does not show the letter"
  "$tool" extract --no-prompt "$work/medium" "$work/out" >/dev/null || fail "extract $layout"
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

expect 2 "usage: stptool pack" "$tool" pack "$product/Textwerk.txt"
expect 2 "is not empty" "$tool" pack "$product/Textwerk.txt" "$product/files" "$work/medium"
printf '[product]\norganisation = B\nproduct = T\nversion = 1\n[files]\nmissing.txt\n' >"$work/bad.txt"
expect 2 "bad.txt:6: no file" "$tool" pack "$work/bad.txt" "$product/files" "$work/new"
[ ! -e "$work/new" ] || fail "a refused pack left $work/new behind"
expect 2 "no Setup.inf in '$work/nothing'" "$tool" list "$work/nothing"

# A missing volume: an error without the prompt, a question with it.
mv "$work/medium/Disk2" "$work/Disk2"
expect 3 "volume 2 is missing" "$tool" extract --no-prompt "$work/medium" "$work/out2"
echo q | "$tool" extract "$work/medium" "$work/out3" >/dev/null 2>"$work/stderr"
[ $? -eq 1 ] || fail "giving up at the prompt did not end with 1"
grep -q "Volume 2 (Setup2.stp) is missing" "$work/stderr" || fail "no prompt: $(cat "$work/stderr")"
grep -q "gave up waiting for a missing volume" "$work/stderr" || fail "no give-up: $(cat "$work/stderr")"
mv "$work/Disk2" "$work/medium/Disk2"

# A target that would leave the destination folder.
sed -i 's/^1=Liesmich.txt/1=..\\Liesmich.txt/' "$work/medium/Disk1/Setup.inf"
expect 3 "has a '..' part" "$tool" extract "$work/medium" "$work/out4"
[ ! -e "$work/out4" ] || fail "a refused medium was extracted"

[ "$failures" -eq 0 ] && echo "all stptool checks passed"
exit $((failures > 0))
