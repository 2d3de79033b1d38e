#!/usr/bin/env bash
# Drives stptool as a user would: round trips, a known stream, and the exit
# statuses and messages of the ways a call can go wrong.
# Usage: stptool_test.sh STPTOOL
set -u
tool=$1
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

[ "$failures" -eq 0 ] && echo "all stptool checks passed"
exit $((failures > 0))
