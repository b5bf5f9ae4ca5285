#!/bin/sh
# corvane-cli dia info and dia resave from outside: every kind converts to
# every other byte for byte, and a broken file fails with a message and
# status 1, writing nothing.
set -u
cli="$1"
here=$(dirname "$0")
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(run dia info "$sample") || fail "dia info"
echo "$out" | grep -qx 'map_name: コルヴェイン本線' || fail "info lacks the map name: $out"
echo "$out" | grep -qx 'stations: 3' || fail "info lacks the station count: $out"

# A file this version wrote, then .kvb -> .kvp -> .kve -> .kvw -> .kvb: the
# same bytes at the end, and the text kind is the unpacked text of the
# packed one.
run dia resave "$sample" "$work/written.kvb" || fail "resave to kvb"
cmp -s "$sample" "$work/written.kvb" || fail "the sample dia data does not resave byte for byte"
run dia resave "$work/written.kvb" "$work/a.kvp" || fail "resave to kvp"
run dia resave "$work/a.kvp" "$work/b.kve" || fail "resave to kve"
run dia resave "$work/b.kve" "$work/c.kvw" || fail "resave to kvw"
run dia resave "$work/c.kvw" "$work/d.kvb" || fail "resave to kvb"
cmp -s "$work/written.kvb" "$work/d.kvb" || fail "kvb after the round differs"
run unpack "$work/written.kvb" "$work/unpacked.txt" || fail "unpack"
cmp -s "$work/unpacked.txt" "$work/a.kvp" || fail "kvp is not the unpacked kvb"

# A cut-short file: status 1, a message, no output file.
head -c 2000 "$sample" > "$work/cut.kvb"
err=$(run dia resave "$work/cut.kvb" "$work/out.kvb" 2>&1 >/dev/null; echo "rc=$?")
case "$err" in *途中で切れています*rc=1) ;; *) fail "cut-short file: $err" ;; esac
[ ! -e "$work/out.kvb" ] || fail "a failed resave wrote its output"

# A wrong command line: status 2.
run dia info >/dev/null 2>&1
[ $? -eq 2 ] || fail "missing argument is not status 2"
echo "dia tests passed"
