#!/bin/sh
# Executed data (.kve) from outside: its rollback stack is the run-time state
# of the data, written the same every time and carried through a resave;
# a stack that does not fit the data it travels with is refused with a
# message while the data still opens.
set -u
cli="$1"
here=$(dirname "$0")
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
# The stack member of an unpacked bundle text: every line after its marker.
stack_of() { sed -n '/^#stack\.csv$/,$p' "$1" | tail -n +2; }

run dia resave "$sample" "$work/a.kve" || fail "resave to kve"
run dia resave "$sample" "$work/b.kve" || fail "resave to kve again"
cmp -s "$work/a.kve" "$work/b.kve" || fail "two saves of the same data differ"
run unpack "$work/a.kve" "$work/a.txt" || fail "unpack a"
stack_of "$work/a.txt" > "$work/a.stack"
head -n 1 "$work/a.stack" | grep -qx '[0-9]*,' || fail "the stack does not start with the time"
grep -qx 'accident_station' "$work/a.stack" || fail "the stack lacks its last section"

# Opened, restored and saved again: the same stack.
run dia resave "$work/a.kve" "$work/c.kve" 2>"$work/err" || fail "resave of executed data"
[ ! -s "$work/err" ] || fail "a fitting stack was reported: $(cat "$work/err")"
run unpack "$work/c.kve" "$work/c.txt" || fail "unpack c"
stack_of "$work/c.txt" | cmp -s - "$work/a.stack" || fail "the stack changed through a resave"

# Dia data carries no stack.
run dia resave "$work/a.kve" "$work/d.kvb" || fail "resave to kvb"
run unpack "$work/d.kvb" "$work/d.txt" || fail "unpack d"
! grep -q '^#stack\.csv$' "$work/d.txt" || fail "dia data holds a stack member"

# A stack of other data (one point less): refused, the data still opens.
awk '$0 == "#stack.csv" { in_stack = 1 }
     skip { skip = 0; next }
     in_stack && !done && prev == "point" { print $0 - 1 ","; done = 1; skip = 1; prev = ""; next }
     { print; prev = $0 }' "$work/a.txt" > "$work/foreign.txt"
cmp -s "$work/a.txt" "$work/foreign.txt" && fail "the foreign stack was not made"
run pack "$work/foreign.txt" "$work/foreign.kve" || fail "pack the foreign stack"
out=$(run dia info "$work/foreign.kve" 2>"$work/err") || fail "data with a foreign stack does not open"
echo "$out" | grep -q 'map_name: ' || fail "no listing: $out"
grep -q "ファイル読み込みエラー: 読み込みファイル'.*stack.csv'の内容が正しくありません。" "$work/err" ||
  fail "the foreign stack was not reported: $(cat "$work/err")"
grep -q 'point: 2 records in the stack, 3 in the data' "$work/err" || fail "the report does not say what does not fit: $(cat "$work/err")"
# dia operate goes on from the saved run-time state: point 1 failed.
awk -F, -v OFS=, '$0 == "#stack.csv" { in_stack = 1 }
     state == 2 { $8 = 1; state = 3 }
     state == 1 { state = 2 }
     in_stack && state == 0 && $0 == "point" { state = 1 }
     { print }' "$work/a.txt" > "$work/failed.txt"
cmp -s "$work/a.txt" "$work/failed.txt" && fail "the failed point was not made"
run pack "$work/failed.txt" "$work/failed.kve" || fail "pack the failed point"
echo 'dump points' > "$work/dump.txt"
run dia operate "$work/failed.kve" < "$work/dump.txt" > "$work/out" 2>"$work/err" ||
  fail "dia operate: $(cat "$work/err")"
grep -q '^point 1 .*failed=1' "$work/out" || fail "the point's state was not restored: $(cat "$work/out")"
run dia operate "$work/a.kve" < "$work/dump.txt" > "$work/out" || fail "dia operate a"
grep -q '^point 1 .*failed=0' "$work/out" || fail "point 1 failed in the sample: $(cat "$work/out")"
echo "rollback tests passed"
