#!/bin/sh
# corvane-cli import windia from outside: a small timetable written as dia
# data that opens through the load-time checks, the refusals that write
# nothing, and a bad command line.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
sjis() { iconv -f UTF-8 -t SHIFT_JIS; }

mkdir "$work/out"
printf '[WinDIA]\r\nテスト線\r\n\r\n[駅]\r\npb,東京\r\n,神田\r\nd,秋葉原\r\n[線種]\r\nLINES=196,64\r\nTrain01=快速線,快\r\n[下り]\r\n0,101M,,0,2350,2355/2356,\\\r\n\t,0010/\r\n\t%%深夜便\r\n[上り]\r\n1,102,,0,1100,-,1110\r\n' |
  sjis > "$work/line.dia" || fail "iconv"

# Success: nothing on stdout, OUT alone in its folder.
out=$(cd "$work/out" && run import windia ../line.dia line.kvb 2>&1; echo "rc=$?")
[ "$out" = "rc=0" ] || fail "import: got [$out]"
[ "$(ls -A "$work/out")" = "line.kvb" ] || fail "folder holds: $(ls -A "$work/out")"
run dia check "$work/out/line.kvb" || fail "the imported data does not pass the load-time checks"
run unpack "$work/out/line.kvb" "$work/line.txt" || fail "unpack"
text=$(iconv -f SHIFT_JIS -t UTF-8 "$work/line.txt")
echo "$text" | grep -q '^WdiaMode=1$' || fail "WdiaMode"
echo "$text" | grep -q '^DiaTitle=テスト線$' || fail "title"
echo "$text" | grep -q ',快,快速線,' || fail "type names"
echo "$text" | grep -q '深夜便' || fail "remark"
# The arrival after midnight is kept on the next day.
echo "$text" | grep -q '^ 1,  6,87000,2,$' || fail "next day: $(echo "$text" | grep '^ 1,  6,')"

# Refusals: a caption and text on stderr, status 1, no OUT.
out=$(run import windia "$work/none.dia" "$work/none.kvb" 2>&1; echo "rc=$?")
echo "$out" | grep -q "^ファイル読み込みエラー: 読み込みファイル'.*none.dia'は開けませんでした。" ||
  fail "missing file: [$out]"
[ "${out##*rc=}" = 1 ] || fail "missing file status: [$out]"
: > "$work/empty.dia"
printf '[WinDIA] \n[駅]\n' > "$work/other.dia"
for name in empty other; do
  out=$(run import windia "$work/$name.dia" "$work/$name.kvb" 2>&1; echo "rc=$?")
  [ "${out##*rc=}" = 1 ] || fail "$name: [$out]"
  echo "$out" | grep -q "^ファイル形式エラー: " || fail "$name caption: [$out]"
  [ ! -e "$work/$name.kvb" ] || fail "$name: OUT written"
done

# "[WinDIA]" alone gives an empty line.
printf '[WinDIA]\n' > "$work/bare.dia"
run import windia "$work/bare.dia" "$work/bare.kvb" || fail "bare"
run dia info "$work/bare.kvb" | grep -q '^rails: 0$' || fail "bare rails"

# Bad command lines.
run import windia "$work/line.dia" >/dev/null 2>&1
[ $? = 2 ] || fail "missing OUT"
run import windia "$work/line.dia" "$work/line.dia" >/dev/null 2>&1
[ $? = 2 ] || fail "OUT over its input"
exit 0
