#!/bin/sh
# corvane-cli dia check from outside: the load-time checks on the sample
# line's dia data with faults written into its bundle text, the answers the
# options give, the exit status and --save.
set -u
cli="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

run unpack "$source_dir/data/system_map/sample_line.kvb" "$work/sample.kvp" || fail "unpack"
# edit NAME AWK: the sample's text through an awk program (fields split at
# commas) into NAME.kvp.
edit() {
  LC_ALL=C awk -F, -v OFS=, "$2" "$work/sample.kvp" > "$work/$1.kvp" || fail "edit $1"
}
# Lines of rail.csv: `rail N` is true on rail N's line.
rails='/^#/ { member = $0 } function rail(n) { return member == "#rail.csv" && $1 + 0 == n }'

# The sample passes: nothing shown, exit 0.
out=$(run dia check "$work/sample.kvp" 2>&1; echo "rc=$?")
[ "$out" = "rc=0" ] || fail "sample: got [$out]"

# The last rail (no next link) without a signal is offered the repair; No
# keeps it (the saved data is offered it again), Yes repairs it.
edit nosignal "$rails"' rail(1) { $5 = " 0" } { print }'
out=$(run dia check "$work/nosignal.kvp" --save="$work/kept.kvb" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'の信号設定を自動修正します。' || fail "no signal question: [$out]"
echo "$out" | grep -q '^answer: No$' || fail "no signal answer: [$out]"
[ "${out##*rc=}" = 1 ] || fail "no signal status: [$out]"
run dia check "$work/kept.kvb" 2>&1 | grep -q '^answer: No$' || fail "No did not keep signal 0"
run dia check "$work/nosignal.kvp" --yes --save="$work/fixed.kvb" 2>/dev/null
[ $? = 1 ] || fail "Yes: status"
run dia check "$work/fixed.kvb" 2>/dev/null || fail "Yes did not repair the signal"

# A back link that is not answered: reported only while MapPosCheck is 1.
edit back "$rails"' rail(2) { $12 = "   3" } { print }'
edit back_off "$rails"' rail(2) { $12 = "   3" } /^MapPosCheck=/ { $0 = "MapPosCheck=0" } { print }'
out=$(run dia check "$work/back_off.kvp" 2>&1; echo "rc=$?")
[ "$out" = "rc=0" ] || fail "MapPosCheck 0: got [$out]"
out=$(run dia check "$work/back.kvp" 2>&1; echo "rc=$?")
echo "$out" | grep -q '^ l_back i:2 l_back:3$' || fail "back link not reported: [$out]"
[ "$(echo "$out" | grep -c '^answer: Retry$')" -ge 2 ] || fail "Retry goes on: [$out]"

# Ignore at the first report ends the check and the load succeeds; Abort
# makes it fail, and nothing is saved.
out=$(run dia check "$work/back.kvp" --ignore --save="$work/ignored.kvb" 2>&1; echo "rc=$?")
[ "$(echo "$out" | grep -c '^answer: ')" = 1 ] || fail "Ignore: more than one report: [$out]"
[ -s "$work/ignored.kvb" ] || fail "Ignore: the load failed"
run dia check "$work/back.kvp" --abort --save="$work/aborted.kvb" 2>/dev/null
[ $? = 1 ] || fail "Abort: status"
[ ! -e "$work/aborted.kvb" ] || fail "Abort: saved"

# A trainset two beyond the series count (0) is fixed with one Yes.
edit unit '/^#/ { member = $0 } /^Unit=/ { $0 = "Unit=1" } { print } member == "#unit.csv" && $1 + 0 == 0 { print "  1,  0,  0,  0,  0,  2,U1," }'
out=$(run dia check "$work/unit.kvp" --yes --save="$work/unit.kvb" 2>&1; echo "rc=$?")
[ "$(echo "$out" | grep -c '編成の形式情報を自動修正します。')" = 1 ] || fail "unit: [$out]"
run dia check "$work/unit.kvb" 2>/dev/null || fail "unit not repaired"

# Data of the timetable import gets neither the map repairs nor the
# conversion offer; the rail link check still runs.
edit windia "$rails"' rail(1) { $5 = " 0" } /^WdiaMode=/ { $0 = "WdiaMode=1" }
  /^map_code=/ { $0 = "map_code=99999" } /^ViewDirec=/ { $0 = "ViewDirec=0" }
  /^SignalVersion=/ { $0 = "SignalVersion=1010" } { print }'
out=$(run dia check "$work/windia.kvp" 2>&1; echo "rc=$?")
[ "$(echo "$out" | grep -c '^answer: ')" = 1 ] || fail "windia: [$out]"
echo "$out" | grep -q 'の信号設定を自動修正します。' || fail "windia: no rail check: [$out]"
edit notwindia "$rails"' /^map_code=/ { $0 = "map_code=99999" } /^ViewDirec=/ { $0 = "ViewDirec=0" } { print }'
run dia check "$work/notwindia.kvp" 2>&1 | grep -q '線路の方向表示設定が不正です。' ||
  fail "imported map without WdiaMode: no repair offered"

# A next link to a rail that does not exist never reaches a table: the
# reader refuses the file with the rail named, exit 2.
edit far "$rails"' rail(2) { $11 = " 9999" } { print }'
out=$(run dia check "$work/far.kvp" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'rail 2: a link to no rail' || fail "l_next 9999: [$out]"
[ "${out##*rc=}" = 2 ] || fail "l_next 9999 status: [$out]"

# Wrong command lines.
run dia check 2>/dev/null; [ $? = 2 ] || fail "no file"
run dia check "$work/sample.kvp" --yes --no 2>/dev/null; [ $? = 2 ] || fail "--yes --no"
run dia check "$work/sample.kvp" --save=x.txt 2>/dev/null; [ $? = 2 ] || fail "--save kind"
echo ok
