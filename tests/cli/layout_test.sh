#!/bin/sh
# corvane-cli dia layout from outside, on a line drawn by a script and
# compiled: a row-division click midway between two cuts takes the right
# one and the saved data holds the new row; the commands by their English
# names; a double click in rail-property selection asks for the dialog; a
# bad line is status 2 and writes nothing.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
# The records of one member of a dia data file, blanks removed.
member() {
  run dia resave "$1" "$work/member.kvp" || fail "resave $1"
  awk -v m="#$2" '/^#/ { on = ($0 == m); next } on' "$work/member.kvp" | tr -d ' '
}

# Rails from x 20 to 30, 30 to 80, 80 to 200 and 200 to 400, both ways.
cat > "$work/line.edit" <<'SCRIPT'
mode 2
click 2 5
click 3 5
click 8 5
click 20 5
click 40 5
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
run map compile "$work/line.kvm" "$work/line.kvb" >/dev/null 2>&1 || fail "compile"
[ "$(member "$work/line.kvb" row.csv)" = "$(printf '0,0,0,0,0\n1,0,0,0,0')" ] ||
  fail "the compiled line has not one row"

# Entering row division centres row 1's right end (400) in the window: map
# x 140 is at pixel 240, midway between the cuts at 80 and 200. Row 2 begins
# at 200 and lies just below row 1 (rails at y 60, 16 map units clear each way).
err=$(printf 'command 表示区切り変更\nclick 240 300\nright 0 0\ncommand 表示区切り変更\nsave\n' |
      run dia layout "$work/line.kvb" "$work/cut.kvb" 2>&1 >/dev/null) || fail "dia layout: $err"
expected=$(printf 'prompt: 1行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。\nprompt: 2行目の右端を指定して下さい。左クリックで指定、右クリックで次の行に移動します。')
[ "$err" = "$expected" ] || fail "prompts: [$err]"
rows=$(member "$work/cut.kvb" row.csv)
[ "$rows" = "$(printf '0,0,0,0,0\n1,0,0,0,0\n2,0,32,-200,0')" ] || fail "rows after the cut: [$rows]"
# The rails' display row is their 19th column: the last two rails are in row 2.
rails=$(member "$work/cut.kvb" rail.csv | cut -d, -f1,19 | tail -n 4 | tr '\n' ' ')
[ "$rails" = "5,1 6,1 7,2 8,2 " ] || fail "rail rows after the cut: [$rails]"

# English names; reset positions keeps one row again.
printf 'command Reset Positions\nsave\n' | run dia layout "$work/cut.kvb" "$work/reset.kvb" ||
  fail "reset positions"
[ "$(member "$work/reset.kvb" row.csv)" = "$(printf '0,0,0,0,0\n1,0,0,0,0')" ] ||
  fail "rows after the reset: [$(member "$work/reset.kvb" row.csv)]"
rails=$(member "$work/reset.kvb" rail.csv | cut -d, -f19 | tail -n 8 | tr -d '\n')
[ "$rails" = "11111111" ] || fail "rail rows after the reset: [$rails]"

# Rail-property selection: a double click asks for the dialog of the rail
# nearest it (rail 5 runs from x 80 to 200 at y 60, drawn at 63).
out=$(printf 'command Track Section Properties\ndouble 140 63\n' |
      run dia layout "$work/line.kvb" "$work/unused.kvb" 2>/dev/null) || fail "rail property"
[ "$out" = "rail properties 5" ] || fail "double click: [$out]"
[ ! -e "$work/unused.kvb" ] || fail "a script without save wrote its output"

# A bad line: status 2, nothing written; an unreadable input: status 1.
printf 'command 表示区切り変更\nclick 140\nsave\n' |
  run dia layout "$work/line.kvb" "$work/bad.kvb" >/dev/null 2>&1
[ $? -eq 2 ] || fail "a bad line is not status 2"
[ ! -e "$work/bad.kvb" ] || fail "a bad line still saved"
printf 'save\n' | run dia layout "$work/missing.kvb" "$work/m.kvb" >/dev/null 2>&1
[ $? -eq 1 ] || fail "a missing input is not status 1"
echo "dia layout: all passed"
