#!/bin/sh
# corvane-cli dia edit from outside: the main window's start time, dia
# property and electrification dialogs answered by a script on the sample
# line, the refusals, the exit status and the output file.
set -u
cli="$1"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$source_dir/data/system_map/sample_line.kvb" "$work/in.kvb"
before=$(cksum < "$work/in.kvb")
# info FILE KEY: the value dia info lists for KEY.
info() { run dia info "$1" | sed -n "s/^$2: //p"; }
# Field 3 of every track piece line: the electrification kind.
kinds() {
  iconv -f SHIFT_JIS -t UTF-8 "$1" | awk -F, '/^#/ { m = $0; next } m == "#p_rail.csv" && $1 + 0 > 0 { print $3 + 0 }' | sort -u
}

cat > "$work/edit.txt" <<'SCRIPT'
# minutes above 59 carry into the hour
answer 時=6 分=90 秒=0 ok
command 開始時刻設定
answer 電化方式=交流20000[V] ok
command Electrification Setting for All
answer ダイヤタイトル="平日 A" ダイヤコメント=試験 ok
command dia.property
SCRIPT
out=$(run dia edit "$work/in.kvb" "$work/edit.txt" --save="$work/out.kvp" 2>&1; echo "rc=$?")
[ "$out" = "rc=0" ] || fail "edit: got [$out]"
[ "$(info "$work/out.kvp" hour):$(info "$work/out.kvp" minute)" = "7:30" ] || fail "6:90:0 not 7:30"
[ "$(info "$work/out.kvp" DiaTitle)" = "平日 A" ] || fail "title"
[ "$(info "$work/out.kvp" dia_comment)" = "試験" ] || fail "comment"
[ "$(kinds "$work/out.kvp")" = 4 ] || fail "electrification: [$(kinds "$work/out.kvp")]"
[ "$(cksum < "$work/in.kvb")" = "$before" ] || fail "FILE was written"

# 28:00:00 is the latest start time; 28:00:01 and a number too large for an
# int are refused with the message, and the start time stays.
printf 'answer 時=28 分=0 秒=0 ok\ncommand 開始時刻設定\nsave\n' > "$work/latest.txt"
run dia edit "$work/in.kvb" "$work/latest.txt" --save="$work/latest.kvp" 2>/dev/null ||
  fail "28:00:00 status"
[ "$(info "$work/latest.kvp" hour)" = 28 ] || fail "28:00:00 not stored"
for time in '時=28 分=0 秒=1' '時=99999999999 分=0 秒=0'; do
  printf 'answer %s ok\ncommand 開始時刻設定\n' "$time" > "$work/late.txt"
  out=$(run dia edit "$work/in.kvb" "$work/late.txt" --save="$work/late.kvp" 2>&1; echo "rc=$?")
  echo "$out" | grep -q '^入力データエラー: 時刻が不正です。再設定して下さい。' ||
    fail "$time: no refusal [$out]"
  [ "${out##*rc=}" = 0 ] || fail "$time: status [$out]"
  [ "$(info "$work/late.kvp" hour):$(info "$work/late.kvp" minute)" = "6:0" ] ||
    fail "$time: the start time changed"
done

# The map's settings of the loaded data: unit times on the unit grid; the
# signal settings only with the extension option, a margin below 5 refused.
cat > "$work/settings.txt" <<'SCRIPT'
answer 単位時間=20 標準時間=#3 折返時間=#2 ok
command 単位・標準時間設定
answer 信号余裕距離=4 ok
command 信号設定
SCRIPT
out=$(run dia edit "$work/in.kvb" "$work/settings.txt" --save="$work/settings.kvp" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'line 4: .*信号余裕距離=4 does not fit' || fail "signal settings without the option: [$out]"
mkdir -p "$work/data" && printf '[Setting]\r\nExtention=1\r\n' > "$work/data/korv.ini"
out=$(run dia edit "$work/in.kvb" "$work/settings.txt" --save="$work/settings.kvp" 2>&1; echo "rc=$?")
echo "$out" | grep -q '^入力データエラー: 信号余裕距離は5\[m\]以上' || fail "margin 4: [$out]"
[ "$(info "$work/settings.kvp" unit):$(info "$work/settings.kvp" standard):$(info "$work/settings.kvp" reverse)" = "20:40:40" ] ||
  fail "unit times"
[ "$(info "$work/settings.kvp" BreakSpareDist)" = 10 ] || fail "margin 4 stored"
printf 'answer 信号余裕距離=5 ok\ncommand 信号設定\n' > "$work/margin.txt"
run dia edit "$work/in.kvb" "$work/margin.txt" --save="$work/margin.kvp" 2>/dev/null || fail "margin 5 status"
[ "$(info "$work/margin.kvp" BreakSpareDist)" = 5 ] || fail "margin 5 not stored"
rm "$work/data/korv.ini"

# Mistakes of the script: status 1 with the line; nothing written.
printf 'command 開始時刻設定\ncommand 終了\n' > "$work/bad.txt"
out=$(run dia edit "$work/in.kvb" "$work/bad.txt" --save="$work/bad.kvp" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'line 2: command: no dia command' || fail "bad command: [$out]"
[ "${out##*rc=}" = 1 ] || fail "bad command status: [$out]"
[ ! -e "$work/bad.kvp" ] || fail "bad script saved"
printf 'answer 時間=1 ok\ncommand 開始時刻設定\n' > "$work/field.txt"
out=$(run dia edit "$work/in.kvb" "$work/field.txt" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'line 2: .*does not fit' || fail "unknown field: [$out]"
printf 'save\n' > "$work/save.txt"
out=$(run dia edit "$work/in.kvb" "$work/save.txt" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'line 1: .*--save=OUT' || fail "save without OUT: [$out]"
[ "${out##*rc=}" = 1 ] || fail "save without OUT status"
printf 'answer yes\n' > "$work/unused.txt"
out=$(run dia edit "$work/in.kvb" "$work/unused.txt" 2>&1; echo "rc=$?")
echo "$out" | grep -q 'an answer was never used' || fail "unused answer: [$out]"

# The command line: 2, and FILE is no output.
run dia edit "$work/in.kvb" 2>/dev/null
[ $? = 2 ] || fail "missing SCRIPT"
run dia edit "$work/in.kvb" "$work/edit.txt" --save="$work/in.kvb" 2>/dev/null
[ $? = 2 ] || fail "OUT = FILE"
[ "$(cksum < "$work/in.kvb")" = "$before" ] || fail "FILE was written"
echo "dia edit: ok"
