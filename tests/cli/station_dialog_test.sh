#!/bin/sh
# corvane-cli dia edit with the station dialogs: the door and melody times
# on the sample line, the track list's usable lengths, a stop section's
# disabled fields, the melody file chosen and played, and on an imported
# WinDIA timetable a platform track added, saved, read again and deleted,
# its stops moving to the other track of each direction.
set -u
cli="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
# member FILE NAME: the rows of member NAME of the stored bundle FILE.
member() {
  run unpack "$1" "$work/unpacked.txt" || fail "unpack $1"
  iconv -f SHIFT_JIS -t UTF-8 "$work/unpacked.txt" | awk -v want="#$2" '/^#/ { m = $0; next } m == want'
}
size() {
  run unpack "$1" "$work/unpacked.txt" || fail "unpack $1"
  sed -n "s/^$2=//p" "$work/unpacked.txt" | tr -d '\r'
}
# edit FILE OUT: runs the script on standard input; its messages and status.
edit() {
  cat > "$work/script.txt"
  run dia edit "$1" "$work/script.txt" --save="$2" 2>&1
  echo "rc=$?"
}

# ------------------------------------------------------------ times
cp "$source_dir/data/system_map/sample_line.kvb" "$work/in.kvb"
out=$(edit "$work/in.kvb" "$work/order.kvb" <<'SCRIPT'
answer #list=#2 press=設定 ok
answer 最小値=5 中間値=7 最大値=7 ok
command 駅情報設定ダイアログ
SCRIPT
)
echo "$out" | grep -q '^データエラー: 時間の大小関係が不正です。' || fail "5,7,7: [$out]"
[ "${out##*rc=}" = 0 ] || fail "5,7,7 status: [$out]"
member "$work/order.kvb" station.csv | grep -q '^ 2,   0, 1, 2,10, 5, 7,15,' || fail "5,7,7 stored"

out=$(edit "$work/in.kvb" "$work/times.kvb" <<'SCRIPT'
answer press=設定 ok
answer 時間=0 最小値=5 中間値=7 最大値=16 駅名=東町中央 駅規模=主要駅 ok
command 駅情報設定ダイアログ
SCRIPT
)
[ "$out" = "rc=0" ] || fail "5,7,16: [$out]"
member "$work/times.kvb" station.csv | grep -q '^ 1,   0, 0, 3, 0, 5, 7,16,.*,東町中央$' ||
  fail "times not stored: $(member "$work/times.kvb" station.csv)"
member "$work/times.kvb" target.csv | grep -q '^ 1, 1, 3, .*,東町中央$' || fail "target"

# ------------------------------------------------------------ track list and stop section
# The sample line with rail 1 stopping at 150 m, rail 2 not stopping, and a
# stop section as target 4.
run unpack "$work/in.kvb" "$work/in.txt" || fail "unpack"
iconv -f SHIFT_JIS -t UTF-8 "$work/in.txt" | sed -e 's/^Target=3/Target=4/' \
  -e '/^  1,  1,  1,/s/,   1, 200,/,   1, 150,/' -e '/^  2,  1,  1,/s/,   1, 200,/,   1,   0,/' \
  -e '/^ 3, 3, 0, 0, 0, 460/a\
 4, 0, 0, 0, 0, 500, 500,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1,信,信号,信号所' |
  iconv -f UTF-8 -t SHIFT_JIS > "$work/section.kvp" || fail "iconv"
# The list's only line is rail 1 with its usable length; its name dialog
# renames the rail.
out=$(edit "$work/section.kvp" "$work/listed.kvb" <<'SCRIPT'
answer press=設定 ok
answer #list=東町駅（上り）：140[m] press=番線名称 ok
answer 名称=東町1番線 ok
command 駅情報設定ダイアログ
SCRIPT
)
[ "$out" = "rc=0" ] || fail "listed line: [$out]"
member "$work/listed.kvb" rail.csv | grep -q '^  1,  1,  1, .*, 150, .*,東町1番線$' || fail "rail name"
out=$(printf 'answer press=設定 ok\nanswer #list=#2 ok\ncommand 駅情報設定ダイアログ\n' |
  edit "$work/section.kvp" "$work/second.kvb")
echo "$out" | grep -q 'line 3: .*#list=#2 does not fit' || fail "a second line: [$out]"
# The stop section's scale and times cannot be given; its names can.
for field in 最小値=5 時間=0 駅規模=有人駅; do
  out=$(printf 'answer #list=#4 press=設定 ok\nanswer %s ok\ncommand 駅情報設定ダイアログ\n' "$field" |
    edit "$work/section.kvp" "$work/field.kvb")
  echo "$out" | grep -q "line 3: .*$field does not fit" || fail "stop section $field: [$out]"
done
out=$(printf 'answer #list=#4 press=設定 ok\nanswer 駅名=信号場 駅規模=停車区画 ok\ncommand 駅情報設定ダイアログ\n' |
  edit "$work/section.kvp" "$work/renamed.kvb")
echo "$out" | grep -q "駅規模=停車区画 does not fit" || fail "stop section scale: [$out]"
out=$(printf 'answer #list=#4 press=設定 ok\nanswer 駅名=信号場 ok\ncommand 駅情報設定ダイアログ\n' |
  edit "$work/section.kvp" "$work/renamed.kvb")
[ "$out" = "rc=0" ] || fail "stop section name: [$out]"
member "$work/renamed.kvb" target.csv | grep -q '^ 4, 0, .*,信号場$' || fail "stop section renamed"

# ------------------------------------------------------------ melody file
mkdir -p "$work/data/sound/station" "$work/elsewhere"
: > "$work/data/sound/station/bell.wav"
: > "$work/elsewhere/chime.wav"
out=$(edit "$work/in.kvb" "$work/melody.kvb" <<SCRIPT
file $work/data/sound/station/bell.wav
file $work/elsewhere/chime.wav
answer press=設定 ok
answer press=参照 press=再生 press=参照 press=再生 ok
command 駅情報設定ダイアログ
SCRIPT
)
lines=$(echo "$out" | grep -c '^ファイルエラー: ')
[ "$lines" = 3 ] || fail "melody messages: [$out]"
echo "$out" | grep -q 'この環境では音を再生できません。' || fail "no cannot-play: [$out]"
echo "$out" | grep -q '音楽用のパスにファイルがありません。' || fail "no outside warning: [$out]"
echo "$out" | grep -q "音楽ファイル'.*/sound/station/chime.wav'がありません。" || fail "missing: [$out]"
[ "${out##*rc=}" = 0 ] || fail "melody status: [$out]"
member "$work/melody.kvb" sound.ini | tr -d '\r' | grep -q '=chime.wav$' || fail "melody file"
printf 'file %s\n' "$work/elsewhere/chime.wav" > "$work/unused.txt"
out=$(run dia edit "$work/in.kvb" "$work/unused.txt" 2>&1)
echo "$out" | grep -q 'an answer was never used' || fail "unused file answer: [$out]"

# ------------------------------------------------------------ platform tracks
printf '[WinDIA]\r\nテスト線\r\n\r\n[駅]\r\npb,東京\r\n,神田\r\nd,秋葉原\r\n[下り]\r\n0,101M,,0,2350,2355/2356,0010/\r\n[上り]\r\n1,102,,0,1100,-,1110\r\n' |
  iconv -f UTF-8 -t SHIFT_JIS > "$work/line.dia" || fail "iconv"
run import windia "$work/line.dia" "$work/line.kvb" || fail "import"
out=$(edit "$work/line.kvb" "$work/added.kvb" <<'SCRIPT'
answer press=設定 ok
answer press=番線追加 ok
command 駅情報設定ダイアログ
SCRIPT
)
[ "$out" = "rc=0" ] || fail "add: [$out]"
[ "$(size "$work/added.kvb" Rail):$(size "$work/added.kvb" PRail)" = "8:4" ] ||
  fail "saved counts: $(size "$work/added.kvb" Rail):$(size "$work/added.kvb" PRail)"
member "$work/added.kvb" p_rail.csv | grep -q '^  4,0, 0,  7,  8,0,$' || fail "new piece"
member "$work/added.kvb" rail.csv | grep -q '^  8,  1,  1,  0, 1,.*,   7,   4, 100,' ||
  fail "new rail: $(member "$work/added.kvb" rail.csv)"
run dia check "$work/added.kvb" || fail "the data with the new track does not pass the checks"

# Cancel is gone after the track edits: a script that cancels is wrong.
out=$(edit "$work/line.kvb" "$work/cancel.kvb" <<'SCRIPT'
answer press=設定 ok
answer press=番線追加 cancel
command 駅情報設定ダイアログ
SCRIPT
)
echo "$out" | grep -q 'Cancel cannot be pressed now' || fail "cancel after add: [$out]"

# Read again: the first track of 東京 goes, its stops to the new one of each
# direction (down on rail 8, up on rail 7); the rails stay.
out=$(edit "$work/added.kvb" "$work/deleted.kvb" <<'SCRIPT'
answer press=設定 ok
answer #list=#1 press=番線削除 ok
command 駅情報設定ダイアログ
SCRIPT
)
[ "$out" = "rc=0" ] || fail "delete: [$out]"
events=$(member "$work/deleted.kvb" d_event.csv)
echo "$events" | grep -q '^ 1,  8,85800,1,$' || fail "down stop: $events"
echo "$events" | grep -q '^ 2,  7,39600,1,$' || fail "up stop: $events"
echo "$events" | grep -q '^ [12],  [12],' && fail "stops left on the deleted track: $events"
[ "$(size "$work/deleted.kvb" Rail)" = 8 ] || fail "rails deleted"
member "$work/deleted.kvb" rail.csv | grep -q '^  1,  1,  0,  0, 1,.*,   1,   0, 0,' ||
  fail "rail 1 keeps its target: $(member "$work/deleted.kvb" rail.csv | sed -n 2p)"
echo "station dialogs: ok"
