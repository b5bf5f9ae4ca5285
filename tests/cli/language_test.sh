#!/bin/sh
# corvane-cli speaks the interface language as the windows do: English
# twins under an English locale or when the data folder chooses English,
# the Japanese texts byte for byte otherwise; data from files stays as it
# is. Control characters of data reach the terminal escaped.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
esc=$(printf '\033')

# A station segment whose leftward stop target leaves 10 m (one margin
# warning) and a new map without a start point (one error).
cat > "$work/line.edit" <<'SCRIPT'
mode 2
click 2 5
click 3 5
click 8 5
right 0 0
station E East EastTown
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
printf 'save\n' | run map edit -new "$work/empty.kvm" || fail "map edit empty"

# check_texts LANG STDOUT STDERR: map check of the line prints STDOUT and
# shows the go-on box as STDERR.
check_texts() {
  out=$(LANG="$1" run map check "$work/line.kvm" 2>"$work/err")
  [ "$out" = "$2" ] || fail "$1 check: [$out]"
  [ "$(cat "$work/err")" = "$3" ] || fail "$1 box: [$(cat "$work/err")]"
}
# Japanese: the texts as the Japanese windows show them.
check_texts C.UTF-8 "$(printf '\n%s\n%s' \
  '＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには20[m]以上確保してください。' \
  'エラー：0件　警告：1件')" \
  "$(printf '%s\n\n%s\n%s' 'コンパイル警告: 警告があります。コンパイルを継続しますか？' \
    'メッセージウインドウに出ている警告内容を修正してください。' '不正なオブジェクトは紫で表示されます。')"
# English by the locale: findings, counter lines and boxes.
check_texts en_US.UTF-8 "$(printf '\n%s\n%s' \
  '<Warning> The stop target leaves too little room. An ATS map needs at least 20[m].' \
  'Errors: 0  Warnings: 1')" \
  "$(printf '%s\n\n%s\n%s' 'Compile Warning: There are warnings. Continue compiling?' \
    'Correct what the message window reports.' 'Invalid objects are shown in purple.')"
# Nothing Japanese is left in what check and compile print about these maps.
japanese=$(printf '[\343-\351]')
for map in line empty; do
  for command in "check $work/$map.kvm" "compile $work/$map.kvm $work/$map.kvb"; do
    out=$(LANG=en_US.UTF-8 run map $command 2>&1)
    if echo "$out" | LC_ALL=C grep -q "$japanese"; then
      fail "Japanese left in English map $command: [$out]"
    fi
  done
done
err=$(LANG=en_US.UTF-8 run map info "$work/none.kvm" 2>&1 >/dev/null)
[ "$err" = "File Read Error: The file '$work/none.kvm' could not be opened for reading." ] ||
  fail "English read error: [$err]"

# The data folder's language file wins over the locale, either way.
printf '[SystemLanguage]\r\nEnglish=1\r\n' > "$work/data/Language.ini"
out=$(LANG=C.UTF-8 run map check "$work/empty.kvm" 2>/dev/null)
[ "$out" = "$(printf '\n<Error> No start point is set.\nErrors: 1  Warnings: 0')" ] ||
  fail "English by the data folder: [$out]"
printf '[SystemLanguage]\r\nJapanese=1\r\n' > "$work/data/Language.ini"
out=$(LANG=en_US.UTF-8 run map check "$work/empty.kvm" 2>/dev/null)
[ "$out" = "$(printf '\n＜エラー＞起点が指定されていません。\nエラー：1件　警告：0件')" ] ||
  fail "Japanese by the data folder: [$out]"
rm "$work/data/Language.ini"

# Data keeps its language: a Japanese map name under English.
run unpack "$work/line.kvm" "$work/line.txt" || fail "unpack"
sed "s/^m_map_name=.*/m_map_name=$(printf '\223\214\222\254\220\374')/" "$work/line.txt" > "$work/named.txt"
run pack "$work/named.txt" "$work/named.kvm" || fail "pack named"
LANG=en_US.UTF-8 run map info "$work/named.kvm" | grep -qx 'map name: 東町線' ||
  fail "a Japanese map name under English: $(LANG=en_US.UTF-8 run map info "$work/named.kvm")"

# Control characters of data are escaped as \xHH, on standard output and in
# messages; the tabs between the columns of map signals stay.
sed "s/^m_map_name=.*/m_map_name=${esc}]0;owned$(printf '\a')${esc}[2J/" "$work/line.txt" > "$work/esc.txt"
run pack "$work/esc.txt" "$work/esc.kvm" || fail "pack esc"
out=$(run map info "$work/esc.kvm") || fail "map info esc"
echo "$out" | grep -qxF 'map name: \x1b]0;owned\x07\x1b[2J' || fail "escaped map name: [$out]"
if echo "$out" | grep -q "$esc"; then fail "an escape character reached the terminal"; fi
err=$(run map info "$work/${esc}[31m.kvm" 2>&1 >/dev/null)
case "$err" in *"'$work/\\x1b[31m.kvm'"*) ;; *) fail "escaped path in a message: [$err]" ;; esac
out=$(run map signals "$work/line.kvm") || fail "map signals"
[ "$(echo "$out" | head -1 | awk -F '\t' '{ print NF }')" = 6 ] || fail "signals columns: [$out]"
echo "language: all passed"
