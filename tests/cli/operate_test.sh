#!/bin/sh
# corvane-cli dia operate from outside: throws with their messages on
# standard error, dumps on standard output with the line that asked for
# them, key clashes as message boxes, bad lines as status 2 with what came
# before kept, an unreadable file as status 1, and nothing ever written.
set -u
cli="$1"
here=$(cd "$(dirname "$0")" && pwd)
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

cp "$sample" "$work/line.kvb"
before=$(cksum < "$work/line.kvb")
cd "$work" || fail "cd"
printf '%s\n' '# points' 'mode 1 0' 'throw 1' '' 'dump points' 'throw 1 -1' 'mode 2 3' 'throw 2' \
  'throw 2' 'key 3 a' 'key 2 AB' 'fail 1 1' 'throw 1' 'dump points' > script.txt
run dia operate line.kvb < script.txt > out.txt 2> err.txt || fail "status $? [$(cat err.txt)]"
[ "$(cksum < line.kvb)" = "$before" ] || fail "the file was written"
[ "$(ls)" = "$(printf 'data\nerr.txt\nline.kvb\nout.txt\nscript.txt')" ] || fail "files made: $(ls)"
head -n 1 out.txt | grep -qx 'dump 5' || fail "first dump: $(head -n 1 out.txt)"
grep -qx 'point 1 pos=1 normal=0 mode=0 saved=0 locked=0 failed=0 key=A' out.txt ||
  fail "point 1 after the throw: [$(cat out.txt)]"
tail -n 3 out.txt | head -n 1 | grep -qx 'point 1 pos=0 normal=0 mode=0 saved=0 locked=0 failed=1 key=A' ||
  fail "point 1 at the end: [$(cat out.txt)]"
grep -qx 'point 2 pos=1 normal=0 mode=1 saved=3 locked=0 failed=0 key=B' out.txt ||
  fail "point 2 after notice control: [$(cat out.txt)]"
expected=$(printf '%s\n' \
  'message: ポイントの通知制御が一時的に解除されました。' \
  'message: ポイントの要求制御が一時的に解除されました。' \
  'ポイントキー設定エラー: このポイントキーは、既に設定されているため使用できません。' \
  'ポイントキー設定エラー: このポイントキーは、既に設定されているAと重複するため使用できません。' \
  'message: 指定されたポイントは故障中です。')
[ "$(cat err.txt)" = "$expected" ] || fail "messages: [$(cat err.txt)]"

# Sections and the form of a rail line.
printf 'dump rails\n' | run dia operate line.kvb > rails.txt || fail "dump rails"
grep -Eq '^rail 1 aspect=-?[0-9]+ origin=[0-9]+ next=-?[0-9]+ back=-?[0-9]+ use=[01] cover=0 normal=0 occ=0 book=-?[0-9]+$' rails.txt ||
  fail "rail line: $(sed -n 2p rails.txt)"
[ "$(grep -c '^rail ' rails.txt)" -eq "$(run dia info line.kvb | sed -n 's/^rails: //p')" ] ||
  fail "one line per rail"
grep -q '^point\|^lever\|^button' rails.txt && fail "dump rails printed more"

# Bad lines: status 2, "line N: ..." last, what came before kept.
for bad in 'frobnicate' 'throw' 'throw 1 +2' 'throw 99' 'throw x' 'position 1 5' 'mode 1 6' \
           'fail 1 2' 'key 1 a,b' 'key 1 abcdefghijklmnopqrstu' 'dump levers' 'route 1 1' \
           'release 1' 'cycle'; do
  printf 'dump points\n%s\n' "$bad" | run dia operate line.kvb > bad.txt 2> bad_err.txt
  status=$?
  [ "$status" -eq 2 ] || fail "[$bad]: status $status"
  tail -n 1 bad_err.txt | grep -q '^line 2: ' || fail "[$bad]: $(cat bad_err.txt)"
  head -n 1 bad.txt | grep -qx 'dump 1' || fail "[$bad]: the dump before is lost"
done

# An unreadable file: status 1 with the reader's message; a wrong command line: 2.
printf 'dump\n' | run dia operate missing.kvb > /dev/null 2> err.txt
[ $? -eq 1 ] || fail "missing file status"
[ -s err.txt ] || fail "missing file: no message"
run dia operate < /dev/null > /dev/null 2>&1
[ $? -eq 2 ] || fail "no file: status"
exit 0
