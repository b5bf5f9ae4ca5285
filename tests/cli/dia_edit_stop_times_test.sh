#!/bin/sh
# corvane-cli dia edit with the standard stop-time dialog: times chosen per
# station and per platform track on the sample line, the two kinds of type
# as one choice, cancel, and the stored list.
set -u
cli="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$source_dir/data/system_map/sample_line.kvb" "$work/in.kvb"
# The stop_time member of a text bundle, one "target rail kind seconds
# train-type speed-type" line per entry.
stop_times() {
  iconv -f SHIFT_JIS -t UTF-8 "$1" |
    awk -F, '/^#/ { m = $0; next } m == "#stop_time.csv" { print $1 + 0, $2 + 0, $3 + 0, $4 + 0, $5 + 0, $6 + 0 }'
}
velocity() { run dia info "$1" | sed -n 's/^stop_time_velocity: //p'; }

# The sample line stops 30 s at its second station. With unit time 15:
# 通過 stores 0, the third item 15 s, the turnaround list's fourth 45 s,
# and 標準 removes the second station's entry.
cat > "$work/stations.txt" <<'SCRIPT'
answer 停車時間一覧=#1 標準停車時間=通過 停車時間一覧=#3 標準停車時間=#3 標準折返時間=#4 停車時間一覧=#2 標準停車時間=標準 ok
command 標準停車時間設定
SCRIPT
out=$(run dia edit "$work/in.kvb" "$work/stations.txt" --save="$work/stations.kvp" 2>&1; echo "rc=$?")
[ "$out" = "rc=0" ] || fail "stations: got [$out]"
[ "$(stop_times "$work/stations.kvp")" = "1 0 0 0 0 0
3 0 0 15 0 0
3 0 1 45 0 0" ] || fail "stations: [$(stop_times "$work/stations.kvp")]"
[ "$(velocity "$work/stations.kvp")" = 0 ] || fail "stations: velocity"

# Per platform track the entry names the rail; checking the speed-type box
# while the train-type box is checked is refused with the message, and the
# speed-type box is then the one checked. Cancel changes nothing.
cat > "$work/tracks.txt" <<'SCRIPT'
answer 停車時間一覧=#1 標準停車時間=通過 cancel
command dia.stop_times
answer モード=駅内番線別指定モード 停車時間一覧=#1 標準停車時間=#5 速度種別=1 ok
command Standard Stop Time Setting
SCRIPT
out=$(run dia edit "$work/in.kvb" "$work/tracks.txt" --save="$work/tracks.kvp" 2>&1; echo "rc=$?")
echo "$out" | grep -q '^操作エラー: 列車種別と速度種別の同時指定はできません。' ||
  fail "both kinds: no refusal [$out]"
[ "${out##*rc=}" = 0 ] || fail "tracks: status [$out]"
[ "$(stop_times "$work/tracks.kvp")" = "2 0 0 30 0 0
0 1 0 45 0 0" ] || fail "tracks: [$(stop_times "$work/tracks.kvp")]"
[ "$(velocity "$work/tracks.kvp")" = 1 ] || fail "tracks: velocity"

# With speed types chosen the train-type list cannot be given.
printf 'answer 列車種別選択=#1 ok\ncommand 標準停車時間設定\n' > "$work/off.txt"
out=$(run dia edit "$work/tracks.kvp" "$work/off.txt" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'line 2: .*does not fit' || fail "disabled list: [$out]"
echo "dia edit stop times: ok"
