#!/bin/sh
# corvane-cli dia interlocking from outside: switching the panel mode on
# generates levers and buttons and saves them, the question's answer sets
# their control mode, off keeps them and on again gives the same tables;
# a refusal prints its message box, exits 1 and writes nothing.
set -u
cli="$1"
here=$(dirname "$0")
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
# The lever and button rows of a bundle text.
routes() { sed -n '/^#route_lever.csv/,/^#accident_between.csv/p' "$1"; }
# The control mode of every lever, one per line.
modes() { sed -n '/^#route_lever.csv/,/^#route_button.csv/p' "$1" | sed -n 's/^ *[0-9]*,\([0-9]*\),.*/\1/p'; }

# On, the question answered Yes by default: every new lever under demand control.
run dia interlocking "$sample" "$work/on.kvp" on 2> "$work/on.err" || fail "switching on"
grep -q '^進路制御方式確認: 進路制御方式を要求制御に設定します。' "$work/on.err" ||
  fail "the question is not shown: $(cat "$work/on.err")"
grep -aqx 'UseInterlocking=1' "$work/on.kvp" || fail "the saved data is not switched on"
[ "$(modes "$work/on.kvp" | wc -l)" -gt 4 ] || fail "too few levers: $(routes "$work/on.kvp")"
[ -z "$(modes "$work/on.kvp" | grep -vx 2)" ] || fail "a lever not under demand control"
# --no: reset control.
run dia interlocking "$sample" "$work/reset.kvp" on --no 2>/dev/null || fail "switching on, No"
[ -z "$(modes "$work/reset.kvp" | grep -vx 1)" ] || fail "--no left a lever not under reset control"

# Off keeps the tables; on again regenerates the same ones; any dia kind.
run dia interlocking "$work/on.kvp" "$work/off.kvb" off 2> "$work/off.err" || fail "switching off"
[ ! -s "$work/off.err" ] || fail "switching off printed: $(cat "$work/off.err")"
run unpack "$work/off.kvb" "$work/off.kvp" || fail "unpack"
grep -aqx 'UseInterlocking=0' "$work/off.kvp" || fail "the saved data is not switched off"
[ "$(routes "$work/off.kvp")" = "$(routes "$work/on.kvp")" ] || fail "switching off changed the tables"
run dia interlocking "$work/off.kvb" "$work/again.kvp" on --yes 2>/dev/null || fail "on again"
[ "$(routes "$work/again.kvp")" = "$(routes "$work/on.kvp")" ] || fail "on again differs"

# Already as asked: nothing toggles, OUT is the data resaved.
run dia interlocking "$sample" "$work/same.kvb" off 2> "$work/same.err" || fail "already off"
[ ! -s "$work/same.err" ] || fail "already off printed: $(cat "$work/same.err")"
cmp -s "$sample" "$work/same.kvb" || fail "already off did not write the data unchanged"

# A map without station yards: the box, status 1, nothing written.
run unpack "$sample" "$work/plain.kvp" || fail "unpack the sample"
sed -i 's/^UseArea=1/UseArea=0/' "$work/plain.kvp"
err=$(run dia interlocking "$work/plain.kvp" "$work/refused.kvb" on 2>&1; echo "rc=$?")
case "$err" in
  構内設定エラー:\ 継電連動装置操作盤方式には、構内管理の有効なマップが必要です。*rc=1) ;;
  *) fail "no refusal without yards: $err" ;;
esac
[ ! -e "$work/refused.kvb" ] || fail "a refused toggle wrote its output"

# Unreadable input: 1; a wrong command line or a refused output: 2.
run dia interlocking "$work/missing.kvb" "$work/x.kvb" on >/dev/null 2>&1
[ $? -eq 1 ] || fail "a missing input is not status 1"
for args in "$sample $work/x.kvb maybe" "$sample $work/x.kvb" "$sample $work/x.kvb on --later" \
  "$sample $sample on" "$sample $work/x.txt on"; do
  # shellcheck disable=SC2086
  run dia interlocking $args >/dev/null 2>&1
  [ $? -eq 2 ] || fail "not status 2: dia interlocking $args"
done
[ ! -e "$work/x.kvb" ] || fail "a wrong command line wrote its output"
echo "interlocking tests passed"
