#!/bin/sh
# corvane-cli dia operate's panel lines from outside: clicks on display
# window 00 set a route and are refused on a point under the interlocking,
# typed keys throw only whole keys and never under the interlocking, the
# context menu prints and runs, train commands without a train do nothing,
# and bad panel lines and options are refused.
set -u
cli="$1"
here=$(cd "$(dirname "$0")" && pwd)
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$work" || fail "cd"
cp "$sample" line.kvb

# Without the interlocking: "x" is the prefix of no key and throws nothing;
# the whole key throws (letter case ignored); a click on the point's box
# throws it again.
printf '%s\n' 'mode 1 0' 'type x' 'dump points' 'type A' 'dump points' 'click 170 62' 'dump points' \
  > keys.txt
LANG=C.UTF-8 run dia operate line.kvb < keys.txt > out.txt 2> err.txt || fail "keys: status $? [$(cat err.txt)]"
sed -n 2p out.txt | grep -q '^point 1 pos=0 ' || fail "x threw a point: [$(cat out.txt)]"
sed -n '/^dump 5$/,/^dump 7$/p' out.txt | grep -q '^point 1 pos=1 ' || fail "a did not throw: [$(cat out.txt)]"
tail -n 3 out.txt | grep -q '^point 1 pos=0 ' || fail "the click did not throw: [$(cat out.txt)]"

# The context menu of a point, then a mode chosen from it.
printf '%s\n' 'rclick 170 62' 'menu' 'choose 併用制御' 'dump points' > menu.txt
LANG=C.UTF-8 run dia operate line.kvb < menu.txt > out.txt 2> err.txt || fail "menu: status $?"
expected=$(printf '%s\n' 'menu 2' 'disabled ポイント A' 'item 転換(&F)' 'item 手動制御(&M)' \
  'item 復位制御(&R)' 'item 要求制御(&A) [checked]' 'item 通知制御(&N)' 'item 順序制御(&O)' \
  'item 併用制御(&D)' 'item 定位設定(&D)' 'item キー設定(&S)' 'item 位置修正(&P)' 'separator' \
  'item 新規ウインドウ－位置(&P)')
[ "$(head -n 14 out.txt)" = "$expected" ] || fail "menu: [$(cat out.txt)]"
grep -q '^point 1 pos=0 normal=0 mode=5 saved=5 ' out.txt || fail "choose: [$(cat out.txt)]"

# The interlocking on: a lever click and a button click set lever 1's route;
# a click on a point is refused, its typed key throws nothing.
run dia interlocking line.kvb panel.kvb on > /dev/null 2>&1 || fail "interlocking on"
printf '%s\n' 'click 56 61' 'click 80 61' 'dump routes' 'mode 1 0' 'click 170 62' 'type a' \
  'dump points' > panel.txt
LANG=C.UTF-8 run dia operate panel.kvb < panel.txt > out.txt 2> err.txt || fail "panel: status $?"
grep -qx 'lever 1 rail=2 mode=2 normal=0 current=3' out.txt || fail "route: [$(cat out.txt)]"
grep -q '^point 1 pos=0 normal=0 mode=0 ' out.txt || fail "a point moved: [$(cat out.txt)]"
[ "$(cat err.txt)" = 'message: 指定されたポイントは操作出来ません。発点てこを操作して下さい。' ] ||
  fail "refusal: [$(cat err.txt)]"
# The same refusal in English.
LANG=en_US.UTF-8 LC_ALL= run dia operate panel.kvb < panel.txt > /dev/null 2> err.txt
grep -q '^message: This point cannot be thrown' err.txt || fail "English: [$(cat err.txt)]"

# Train commands after a right click on nothing change nothing; F2 and a
# station frame's click ask the window for their part.
printf '%s\n' 'rclick 5 5' 'order 延発/5分' 'order Follow' 'dump trains' 'press f2' 'click 40 30' \
  'choose 新規ウインドウ－位置' > trains.txt
LANG=C.UTF-8 run dia operate line.kvb < trains.txt > out.txt 2> err.txt || fail "trains: status $? [$(cat err.txt)]"
expected=$(printf '%s\n' 'dump 4' 'follow 0' 'effect copy_board' 'effect station_frame 1')
[ "$(head -n 4 out.txt)" = "$expected" ] || fail "trains: [$(cat out.txt)]"
tail -n 1 out.txt | grep -q '^effect new_window scale=6144,6144 ' || fail "new window: [$(cat out.txt)]"

# Bad panel lines: status 2 with the line's number; a bad option: 2.
for bad in 'click 1' 'click 1 2 alt' 'rclick 1 2 shift' 'press hyper' 'wheel x' 'type' \
           'choose 無い行' 'order 駅指定抑止/東町' 'menu 1'; do
  printf "dump trains\n%s\n" "$bad" | LANG=C.UTF-8 run dia operate line.kvb > bad.txt 2> bad_err.txt
  status=$?
  [ "$status" -eq 2 ] || fail "[$bad]: status $status"
  tail -n 1 bad_err.txt | grep -q '^line 2: ' || fail "[$bad]: $(cat bad_err.txt)"
done
LANG=C.UTF-8 run dia operate line.kvb --size=0x5 < /dev/null > /dev/null 2>&1
[ $? -eq 2 ] || fail "bad --size accepted"
exit 0
