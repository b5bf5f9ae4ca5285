#!/bin/sh
# corvane-cli series info from outside: the program's own series as held,
# the folders of a data folder, a refusal and the ATC-brake margin against
# the signal settings of a dia data file.
set -u
cli="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# A new data folder holds the program's series with their tables.
out=$(run series info "$work/data/series_data/cv100.ini" 2>&1; echo "rc=$?")
[ "${out##*rc=}" = 0 ] || fail "cv100: [$out]"
echo "$out" | grep -q '^形式：CV100形$' || fail "cv100 description: [$out]"
echo "$out" | grep -q '^加速度=3072$' || fail "cv100 acceleration in 1/1024 km/h/s: [$out]"
echo "$out" | grep -q '^加速度テーブル=cv100.csv$' || fail "cv100 table: [$out]"

# Beside no data folder, the tables are looked for beside the file.
mkdir "$work/loose"
cp "$source_dir/data/series_data/cd50.ini" "$work/loose/"
run series info "$work/loose/cd50.ini" >/dev/null 2>"$work/err"
[ $? = 1 ] || fail "loose file without its tables"
grep -q "cd50.csv" "$work/err" || fail "missing table not named: $(cat "$work/err")"
cp "$source_dir/data/table/acceleration/cd50.csv" "$source_dir/data/table/curve_limit/standard.csv" \
  "$work/loose/"
run series info "$work/loose/cd50.ini" >/dev/null 2>&1 || fail "loose file with its tables"

# Acceleration 9 is refused by the checks.
# (加速度 in Shift-JIS)
LC_ALL=C sed 's/^\(\x89\xc1\x91\xac\x93\x78\)=180/\1=9/' "$work/loose/cd50.ini" > "$work/loose/slow.ini"
cmp -s "$work/loose/cd50.ini" "$work/loose/slow.ini" && fail "acceleration not rewritten"
out=$(run series info "$work/loose/slow.ini" 2>&1; echo "rc=$?")
[ "${out##*rc=}" = 1 ] || fail "acceleration 9: [$out]"
echo "$out" | grep -q '^データエラー: 加速度・減速度の中に小さ過ぎるものがあります。' ||
  fail "acceleration 9 message: [$out]"

# The ATC brake's margin against a map that calculates its signals with
# 3.50 km/h/s (from signal version 1042 on).
run unpack "$source_dir/data/system_map/sample_line.kvb" "$work/sample.kvp" || fail "unpack"
LC_ALL=C sed 's/^HandleATC=.*/HandleATC=350/; s/^SignalVersion=.*/SignalVersion=1042/' \
  "$work/sample.kvp" > "$work/strict.kvp"
out=$(run series info "$work/data/series_data/cv100.ini" --dia="$work/strict.kvp" 2>&1; echo "rc=$?")
[ "${out##*rc=}" = 1 ] || fail "margin: [$out]"
echo "$out" | grep -q 'この形式の減速度（3.50\[km/h/s\]）は' || fail "margin message: [$out]"
run series info "$work/data/series_data/cv100.ini" --dia="$work/sample.kvp" >/dev/null 2>&1 ||
  fail "margin against the sample's settings"

# Wrong command lines.
run series info 2>/dev/null; [ $? = 2 ] || fail "no file"
run series list x.ini 2>/dev/null; [ $? = 2 ] || fail "unknown subcommand"
run series info a.ini b.ini 2>/dev/null; [ $? = 2 ] || fail "two files"
echo ok
