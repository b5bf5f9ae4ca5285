#!/bin/sh
# corvane-cli map compile from outside: a line drawn by a script compiles,
# prints the message-window lines, writes dia data that dia resave gives back
# byte for byte; a map the checks stop writes nothing.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

cat > "$work/line.edit" <<'SCRIPT'
mode 2
click 2 5
click 3 5
click 8 5
right 0 0
station 東 東町 東町駅
mode 5 1
clickpx 25 66
mode 32
answer ←停止目標距離=90 →停止目標距離=50 ok
clickpx 25 66
mode 33
clickpx 25 66
save
SCRIPT
run map edit -new "$work/line.kvm" < "$work/line.edit" || fail "map edit"
out=$(run map compile "$work/line.kvm" "$work/line.kvb" --save-map="$work/compiled.kvm" 2>/dev/null;
      echo "rc=$?")
expected=$(printf '\n＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには20[m]以上確保してください。\nエラー：0件　警告：1件\n＜情報＞ジャンプ数：0\n＜情報＞駅描画数：0\n＜情報＞停車区画数：0\n＜情報＞駅数：1\n＜情報＞ポイント数：0\n＜情報＞線路数：2\nエラー：0件　警告：0件\nrc=0')
[ "$out" = "$expected" ] || fail "compile output: got [$out]"
run dia info "$work/line.kvb" | grep -qx 'rails: 4' || fail "four rails expected"
run dia resave "$work/line.kvb" "$work/again.kvb" || fail "resave"
cmp -s "$work/line.kvb" "$work/again.kvb" || fail "resave changed the compiled dia"
[ -s "$work/compiled.kvm" ] || fail "--save-map wrote nothing"

# The sample line compiles into the sample dia data, byte for byte.
examples="$(dirname "$0")/../../examples"
run map compile "$examples/sample_line.kvm" "$work/sample.kvb" >/dev/null 2>&1 ||
  fail "the sample line does not compile cleanly"
cmp -s "$examples/sample_line.kvb" "$work/sample.kvb" || fail "the sample dia is not the compile"

# A map the checks stop: status 1 and no dia data file.
printf 'mode 2\nclick 2 5\nclick 4 5\nright 0 0\nsave\n' | run map edit -new "$work/bare.kvm" ||
  fail "map edit bare"
run map compile "$work/bare.kvm" "$work/bare.kvb" >/dev/null 2>&1
[ $? -eq 1 ] || fail "a stopped compile is not status 1"
[ ! -e "$work/bare.kvb" ] || fail "a stopped compile wrote its dia"
run map compile "$work/missing.kvm" "$work/x.kvb" >/dev/null 2>&1
[ $? -eq 2 ] || fail "a missing map is not status 2"
echo "map compile: all passed"
