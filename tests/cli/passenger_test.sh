#!/bin/sh
# The passenger number window through corvane-cli dia edit: a curve made by
# a click, kept through save and reopen, the refusals with their messages,
# the station steps and totals beyond 32 bits.
set -u
cli="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
cp "$source_dir/data/system_map/sample_line.kvb" "$work/in.kvb"

# A click on an empty pair: three entries, 14 × the count; saved and read back.
printf 'passenger pair 1 2\npassenger click 7:00 1000\n' > "$work/click.txt"
run dia edit "$work/in.kvb" "$work/click.txt" --save="$work/out.kvp" >/dev/null 2>&1 ||
  fail "click status"
printf 'passenger pair 1 2\npassenger print\n' > "$work/print.txt"
out=$(run dia edit "$work/out.kvp" "$work/print.txt" 2>&1) || fail "print status"
expected='pair 1 2
entry 0 0
entry 25200 1000
entry 100800 0
total 14000
reverse 0'
[ "$(echo "$out" | sed -n 1,6p)" = "$expected" ] || fail "curve after reopening: [$out]"

# Setting the total of an empty curve and reversing "every other station"
# are refused with their messages; the script goes on (status 0).
printf 'answer 約=500 ok\npassenger press 入力\npassenger press 逆方向\npassenger print\n' \
  > "$work/refused.txt"
out=$(run dia edit "$work/in.kvb" "$work/refused.txt" 2>&1; echo "rc=$?")
echo "$out" | grep -q '^乗客数エラー: 乗客数が設定されていない場合には、数値指定はできません。' ||
  fail "no empty-curve refusal [$out]"
echo "$out" | grep -q '^発駅指定エラー: 指定以外各駅を発駅に設定することは出来ません。' ||
  fail "no reverse refusal [$out]"
echo "$out" | grep -q '^pair 1 0$' || fail "the pair moved [$out]"
echo "$out" | grep -q 'an answer was never used' || fail "the answer was taken [$out]"
[ "${out##*rc=}" = 0 ] || fail "refusal status [$out]"

# "発駅" (F2) from 3 with 1 as destination steps to 2; F6 stops at 0; a
# day of 30 000 an hour totals 840 000, beyond any 32-bit product.
cat > "$work/steps.txt" <<'SCRIPT'
passenger pair 3 1
passenger key f2
passenger key f6
passenger click 0 30000
passenger click 28:00 30000
passenger print
SCRIPT
out=$(run dia edit "$work/in.kvb" "$work/steps.txt" 2>&1) || fail "steps status [$out]"
echo "$out" | grep -q '^pair 2 1$' || fail "F2 [$out]"
echo "$out" | grep -q '^per_hour 0$' || fail "F6 below 0 [$out]"
echo "$out" | grep -q '^total 840000$' || fail "64-bit total [$out]"

# Lines that are no passenger lines: status 1 with the line.
for line in 'passenger pair 1 1' 'passenger click 25:99 3' 'passenger press 押す' 'passenger'; do
  printf 'passenger print\n%s\n' "$line" > "$work/bad.txt"
  out=$(run dia edit "$work/in.kvb" "$work/bad.txt" 2>&1; echo "rc=$?")
  echo "$out" | grep -q 'line 2: passenger: ' || fail "$line: [$out]"
  [ "${out##*rc=}" = 1 ] || fail "$line: status [$out]"
done
echo "passenger: ok"
