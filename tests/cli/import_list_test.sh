#!/bin/sh
# corvane-cli import list from outside: files copied into the data folder,
# a second run that finds them present, the overwrite question answered by
# --yes and --no, entries that try to leave the data folder, and bad command
# lines.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
list() { printf '[ファイルリスト]\n%s' "$1" | iconv -f UTF-8 -t CP932 > "$work/from/list.kvi"; }
status() { "$@" >/dev/null 2>"$work/err"; echo $?; }

mkdir -p "$work/from/map"
printf 'map' > "$work/from/map/a.kvm"
printf 'ini' > "$work/from/b.ini"
list '00=map\a.kvm
02=b.ini
'

# Keys 00 and 02 import two files; 01 is missing.
[ "$(status run import list "$work/from/list.kvi")" = 0 ] || fail "first run: $(cat "$work/err")"
cmp -s "$work/from/map/a.kvm" "$work/data/map/a.kvm" || fail "map/a.kvm not copied"
cmp -s "$work/from/b.ini" "$work/data/b.ini" || fail "b.ini not copied"
grep -q '^インポート終了: インポートが終了しました。' "$work/err" || fail "no summary: $(cat "$work/err")"
grep -q '^インポートに成功したファイル数：2$' "$work/err" || fail "copied count: $(cat "$work/err")"

# A second run copies nothing and says once that a file is present.
[ "$(status run import list "$work/from/list.kvi")" = 0 ] || fail "second run: $(cat "$work/err")"
[ "$(grep -c '^ファイル存在エラー: ' "$work/err")" = 1 ] || fail "present message: $(cat "$work/err")"
grep -q '^インポートの前から存在したファイル数：2$' "$work/err" || fail "present count: $(cat "$work/err")"

# A changed file is replaced on --yes only; --no (the default too) fails.
printf 'INI' > "$work/from/b.ini"
touch -d '2001-01-01' "$work/data/b.ini"
[ "$(status run import list "$work/from/list.kvi")" = 1 ] || fail "overwrite without an answer"
grep -q '^ファイル上書き確認: ' "$work/err" || fail "no overwrite question: $(cat "$work/err")"
[ "$(status run --no import list "$work/from/list.kvi")" = 1 ] || fail "overwrite --no"
[ "$(cat "$work/data/b.ini")" = ini ] || fail "b.ini replaced without Yes"
[ "$(status run --yes import list "$work/from/list.kvi")" = 0 ] || fail "overwrite --yes"
[ "$(cat "$work/data/b.ini")" = INI ] || fail "b.ini not replaced on Yes"

# Entries leaving the data folder are refused; nothing is written outside.
printf 'outside' > "$work/from/x"
list '00=..\x
01=/tmp/x
02=map\..\..\x
'
[ "$(status run --yes import list "$work/from/list.kvi")" = 1 ] || fail "escaping entries accepted"
[ ! -e "$work/x" ] || fail "written outside the data folder"
grep -q '^インポートに失敗・中止したファイル数：3$' "$work/err" || fail "refusals: $(cat "$work/err")"

# A missing list fails; bad command lines are refused.
[ "$(status run import list "$work/none.kvi")" = 1 ] || fail "missing list"
[ "$(status run import list)" = 2 ] || fail "no list"
[ "$(status run import list a.kvi b.kvi)" = 2 ] || fail "two lists"
[ "$(status run import other x)" = 2 ] || fail "unknown subcommand"
exit 0
