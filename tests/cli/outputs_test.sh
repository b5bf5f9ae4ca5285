#!/bin/sh
# corvane-cli never writes over what it reads, nor a kind it does not write:
# such an output is refused with status 2 and a message before anything is
# read or written. A picture replaces the old one only when written whole,
# and every dia data kind that dia resave writes reads back.
set -u
cli="$1"
here=$(dirname "$0")
sample="$here/../../examples/sample_line.kvb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$cli" --data-dir="$work/data" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# A line that compiles: whatever the compile wrote over it would show.
printf 'mode 2\nclick 2 5\nclick 8 5\nright 0 0\nmode 33\nclick 5 5\nsave\n' |
  run map edit -new "$work/map.kvm" || fail "map edit"
cp "$work/map.kvm" "$work/keep.kvm"
run dia resave "$sample" "$work/dia.kvb" || fail "dia resave"
cp "$work/dia.kvb" "$work/keep.kvb"
run unpack "$work/map.kvm" "$work/map.txt" || fail "unpack"
echo "a picture" > "$work/picture.txt"
ln -s map.kvm "$work/link.kvb"
ln "$work/map.kvm" "$work/hard.kvb"
mkdir "$work/sub"

# refused TEXT COMMAND...: status 2, a message holding TEXT, the inputs as
# they were.
refused() {
  what="$1"
  shift
  err=$(run "$@" 2>&1 >/dev/null </dev/null)
  rc=$?
  [ $rc -eq 2 ] || fail "$*: status $rc, not 2 ($err)"
  case "$err" in *"$what"*) ;; *) fail "$*: message [$err]" ;; esac
  cmp -s "$work/map.kvm" "$work/keep.kvm" || fail "$*: the map changed"
  cmp -s "$work/dia.kvb" "$work/keep.kvb" || fail "$*: the dia data changed"
  [ "$(cat "$work/picture.txt")" = "a picture" ] || fail "$*: picture.txt changed"
}
same="ファイル書き込みエラー: 出力ファイル"
kind="の拡張子は"
m="$work/map.kvm"
refused "'$m'は入力ファイル'$m'と同じです。" map compile "$m" "$m"
refused "は入力ファイル" map compile "$m" "$work/link.kvb"
refused "は入力ファイル" map compile "$m" "$work/hard.kvb"
refused "は入力ファイル" map compile "$m" "$work/sub/../map.kvm"
refused ".kvb .kvp .kvd .kve .kvw のどれか" map compile "$m" "$work/out.kvm"
refused "は入力ファイル" map compile "$m" "$work/out.kvb" --save-map="$work/sub/../map.kvm"
refused "$kind .kvm のどれか" map compile "$m" "$work/out.kvb" --save-map="$work/out.txt"
refused "$same" map check "$m" --save="$work/link.kvb"
refused "$kind" map check "$m" --save="$work/out.kvb"
refused "$same" map resave "$m" "$m"
refused "$kind" map resave "$m" "$work/out.kvb"
refused "$kind" map new "$work/out.txt"
refused "$same" map edit "$m" "$work/hard.kvb"
refused "$kind" map edit -new "$work/out.png"
refused "$same" pack "$work/map.txt" "$work/map.txt"
refused "$kind" pack "$work/map.txt" "$work/picture.txt"
refused "$same" unpack "$m" "$m"
refused "$kind" unpack "$m" "$work/out.kvb"
refused "$same" dia resave "$work/dia.kvb" "$work/dia.kvb"
refused "$kind" dia resave "$work/dia.kvb" "$work/out.kvm"
for name in "$work"/out.*; do [ ! -e "$name" ] || fail "a refused command wrote $name"; done
err=$(LANG=en_US.UTF-8 run map compile "$m" "$m" 2>&1)
[ "$err" = "File Write Error: The output file '$m' is the input file '$m'." ] ||
  fail "English refusal: [$err]"

# map render: only a picture, written whole or not at all.
if run --help | grep -q "map render"; then
  refused "$same" map render "$m" "$m"
  refused ".png のどれか" map render "$m" "$work/picture.txt"
  run map render "$m" "$work/map.png" 2>/dev/null || fail "render"
  [ "$(head -c 4 "$work/map.png" | tail -c 3)" = "PNG" ] || fail "render wrote no PNG"
  # A full disk, played by a file size limit the map's scratch text fits in
  # but the picture does not: the old picture stays, no temporary is left.
  printf 'mode 2\nclick 2 %s\nclick 600 %s\nright 0 0\n' 5 5 30 30 60 60 > "$work/big.edit"
  echo save >> "$work/big.edit"
  run map edit -new "$work/big.kvm" < "$work/big.edit" || fail "map edit big"
  mkdir "$work/pictures"
  echo "old picture" > "$work/pictures/old.png"
  (
    trap '' XFSZ
    ulimit -f 12
    run map render "$work/big.kvm" "$work/pictures/old.png" 2>/dev/null
  )
  [ $? -eq 1 ] || fail "a picture cut short is not status 1"
  [ "$(cat "$work/pictures/old.png")" = "old picture" ] || fail "a cut-short picture replaced the old"
  [ "$(ls -A "$work/pictures")" = "old.png" ] || fail "a temporary file was left: $(ls -A "$work/pictures")"
fi

# Every kind dia resave writes reads back and gives the same dia data.
run dia resave "$sample" "$work/first.kvb" || fail "resave"
for kind in kvb kvp kvd kve kvw KVD; do
  mkdir "$work/set-$kind"
  out="$work/set-$kind/dia.$kind"
  run dia resave "$work/first.kvb" "$out" || fail "resave to .$kind"
  run dia info "$out" >/dev/null || fail ".$kind does not read back"
  run dia resave "$out" "$work/again-$kind.kvb" || fail "resave from .$kind"
  cmp -s "$work/first.kvb" "$work/again-$kind.kvb" || fail ".$kind did not keep the dia data"
done
[ -s "$work/set-kvd/train.csv" ] || fail ".kvd without its members beside it"
echo "outputs: all passed"
