#!/bin/sh
# corvane-cli dia board and dia render from outside: the scene dump of the
# sample line (two rows) and of a line compiled from a script, the options,
# pictures, and the failures with their statuses.
set -u
cli="$1"
here=$(dirname "$0")
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
status() { "$@" >/dev/null 2>&1; echo $?; }

out=$(run dia board "$sample") || fail "dia board"
[ "$(echo "$out" | head -n 1)" = "board 1000x700 scale 4096,4096 scroll 0,0 track 3" ] ||
  fail "header: $out"
# Row 2 moves the second strip: the jump's second label and the rails there.
echo "$out" | grep -qx 'text jump 1 "\*A" at 40,144 align right middle rgb 255,255,255' ||
  fail "the jump's label in row 2: $out"
echo "$out" | grep -qx 'text frame 1 "東町駅" at 40,30 align center middle rgb 0,0,0' ||
  fail "a station name: $out"
echo "$out" | grep -q '^rail 11 line 40,147 140,147 width 3 ' || fail "a leftward rail in row 2: $out"
# A point's rail off the point's path is gray.
echo "$out" | grep -q '^rail 19 line 160,63 200,87 width 3 rgb 128,128,128$' ||
  fail "a rail off its point's path: $out"
[ "$(echo "$out" | grep -c '^rail ')" -eq 28 ] || fail "28 rails expected"

out=$(run dia board "$sample" --size=640x480 --scale=8192,2048 --scroll=1,-2) || fail "options"
[ "$(echo "$out" | head -n 1)" = "board 640x480 scale 8192,2048 scroll -20,40 track 1" ] ||
  fail "header with options: $out"
echo "$out" | grep -q '^rail 1 line 20,71 100,71 width 1 ' || fail "rail 1 with options: $out"

# A line drawn by a script and compiled: one rail each way, linked.
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
run map compile "$work/line.kvm" "$work/line.kvb" >/dev/null 2>&1
[ -s "$work/line.kvb" ] || fail "the scripted line did not compile"
out=$(run dia board "$work/line.kvb") || fail "dia board of the compiled line"
[ "$(echo "$out" | grep -c '^rail ')" -ge 2 ] || fail "the compiled line's rails: $out"

# Failures: an unreadable file is status 1 with a message, a wrong command
# line status 2.
head -c 2000 "$sample" > "$work/cut.kvb"
err=$(run dia board "$work/cut.kvb" 2>&1 >/dev/null; echo "rc=$?")
case "$err" in *": "*rc=1) ;; *) fail "cut-short file: $err" ;; esac
for bad in --size=0x700 --size=100 --scale=100 --scale=4096,x --scroll=1 --window=1 --whole \
           --scroll=-2147483648,0 --scroll=0,-2147483648 --frobnicate; do
  [ "$(status run dia board "$sample" "$bad")" -eq 2 ] || fail "dia board $bad is not status 2"
done
[ "$(status run dia board)" -eq 2 ] || fail "dia board without a file is not status 2"
# Output that cannot be written is a failure, not a success.
if [ -w /dev/full ]; then
  rc=0
  run dia board "$sample" >/dev/full 2>/dev/null || rc=$?
  [ "$rc" -eq 1 ] || fail "a full standard output gave status $rc"
fi

# Pictures, where the build draws them.
if run --help | grep -q 'dia render'; then
  run dia render "$sample" "$work/board.png" --scale=8192 || fail "dia render"
  [ "$(head -c 4 "$work/board.png" | tail -c 3)" = "PNG" ] || fail "no PNG written"
  run dia render "$sample" "$work/whole.png" --whole --window=3 || fail "dia render --whole"
  [ -s "$work/whole.png" ] || fail "--whole wrote nothing"
  [ "$(status run dia render "$sample" "$work/board.txt")" -eq 2 ] || fail "a .txt output"
  [ ! -e "$work/board.txt" ] || fail "a refused output was written"
  cp "$sample" "$work/in.kvb"
  [ "$(status run dia render "$work/in.kvb" "$work/in.kvb")" -eq 2 ] || fail "output = input"
  cmp -s "$sample" "$work/in.kvb" || fail "the input was written over"
  [ "$(status run dia render "$sample" "$work/x.png" --window=16)" -eq 2 ] || fail "window 16"
  [ "$(status run dia render "$work/cut.kvb" "$work/y.png")" -eq 1 ] || fail "render cut file"
  [ ! -e "$work/y.png" ] || fail "a failed render wrote a picture"
fi
echo "board tests passed"
