#!/bin/sh
# corvane-cli map check from outside: its output, marks, exit status and
# --save, on maps drawn by editing scripts.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# A new map has no start point: one error, no mark, exit 1.
printf 'save\n' | run map edit -new "$work/empty.kvm" || fail "map edit"
out=$(run map check "$work/empty.kvm" --marks 2>/dev/null; echo "rc=$?")
expected=$(printf '\n＜エラー＞起点が指定されていません。\nエラー：1件　警告：0件\nrc=1')
[ "$out" = "$expected" ] || fail "no start point: got [$out]"

# A station segment of 100 m whose leftward stop target leaves 10 m: the ATS
# margin warning is answered Yes, the checks pass.
cat > "$work/line.edit" <<'SCRIPT'
mode 2
click 2 5
click 3 5
click 8 5
right 0 0
station 東 東町 東町駅
mode 5 1
clickpx 25 66
answer ←停止目標距離=90 →停止目標距離=50 ok
mode 32
clickpx 25 66
mode 33
clickpx 25 66
save
SCRIPT
run map edit -new "$work/line.kvm" < "$work/line.edit" || fail "map edit line"
out=$(run map check "$work/line.kvm" --marks --save="$work/checked.kvm" 2>/dev/null; echo "rc=$?")
expected=$(printf '\n＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには20[m]以上確保してください。\nエラー：0件　警告：1件\nmark rail 1 warning\nrc=0')
[ "$out" = "$expected" ] || fail "margin warning: got [$out]"
[ -s "$work/checked.kvm" ] || fail "--save wrote nothing"

# Unreadable maps and wrong command lines exit with 2.
run map check "$work/missing.kvm" >/dev/null 2>&1
[ $? -eq 2 ] || fail "missing map must exit 2"
run map check "$work/line.kvm" --frobnicate >/dev/null 2>&1
[ $? -eq 2 ] || fail "unknown option must exit 2"
run map check "$work/line.kvm" --nonsense-option=1 >/dev/null 2>&1
[ $? -eq 2 ] || fail "unknown option must exit 2"
echo "map check: all passed"
