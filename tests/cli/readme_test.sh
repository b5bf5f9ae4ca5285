#!/bin/sh
# Every example of README.md that uses corvane-cli runs as written: each
# ```sh block naming corvane-cli runs in a copy of the project's examples
# and data, with corvane-cli (under any of the paths the README gives it)
# being the tool under test; each editing-script block runs on the line the
# README draws. Every run must end with the status the README leads a user to
# expect, and the promised outputs must appear.
set -u
cli="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"  # the examples run elsewhere
here=$(cd "$(dirname "$0")" && pwd)
source_dir="$here/../.."
tools_dir="$(cd "$(dirname "$cli")/../../tools" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The README's code blocks, one file each: NN.sh or NN.plain.
mkdir "$work/blocks"
awk -v dir="$work/blocks" '
  /^```/ {
    if (!inside) {
      inside = 1; count++
      file = sprintf("%s/%02d.%s", dir, count, length($0) > 3 ? substr($0, 4) : "plain")
      printf "" > file
    } else {
      inside = 0; close(file)
    }
    next
  }
  inside { print > file }
' "$source_dir/README.md"

# The folder the examples run in, and corvane-cli under every name the
# README calls it by: each run appends "STATUS ARGUMENTS" to the log and
# keeps its standard output in runs/N.out.
run_dir="$work/run"
mkdir -p "$run_dir" "$work/bin" "$work/runs"
cp -R "$source_dir/examples" "$source_dir/data" "$run_dir/"
cat > "$work/bin/corvane-cli" <<EOF
#!/bin/sh
n=\$(wc -l < "$work/log")
"$cli" --data-dir="$work/cli-data" "\$@" > "$work/runs/\$n.out"
rc=\$?
cat "$work/runs/\$n.out"
echo "\$rc \$*" >> "$work/log"
exit \$rc
EOF
printf '#!/bin/sh\nexit 0\n' > "$work/bin/cmake"  # the examples tool is built already
chmod +x "$work/bin/corvane-cli" "$work/bin/cmake"
: > "$work/log"
for build in build-release build-test; do
  mkdir -p "$run_dir/$build/programs/corvane-cli" "$run_dir/$build/tools"
  ln -s "$work/bin/corvane-cli" "$run_dir/$build/programs/corvane-cli/corvane-cli"
  ln -s "$tools_dir/corvane-make-examples" "$run_dir/$build/tools/corvane-make-examples"
done
# Names the README leaves to the reader's own files.
cp "$source_dir/examples/sample_line.kvm" "$run_dir/old.kvm"
cp "$source_dir/examples/scripted_line.edit" "$run_dir/script.edit"
"$cli" --data-dir="$work/cli-data" unpack "$source_dir/examples/sample_line.kvb" \
  "$run_dir/old.kvp" || fail "unpack the sample dia"

# Runs one block; its runs of corvane-cli must be as many as its lines name
# it, each ending with status 0 (the sample line compiles cleanly too).
run_block() {
  block="$1"
  first=$(wc -l < "$work/log")
  # Scratch folders the README puts in /tmp stay inside the test's folder.
  sed "s#/tmp/#$work/tmp/#g" "$block" > "$work/block.sh"
  # A build without the Qt layer has no map render.
  "$cli" --help | grep -q 'map render' || sed -i '/map render/d' "$block" "$work/block.sh"
  (cd "$run_dir" && PATH="$work/bin:$PATH" sh "$work/block.sh" > "$block.out" 2> "$block.err")
  runs=$(($(wc -l < "$work/log") - first))
  named=$(grep -c '^[^#]*corvane-cli\( \|$\)' "$block")
  [ "$runs" -eq "$named" ] || fail "$(basename "$block"): $runs runs of corvane-cli, $named named"
  tail -n "$runs" "$work/log" | while read -r rc command; do
    case "$rc" in
      0) ;;
      *) fail "$(basename "$block"): status $rc of corvane-cli $command: $(cat "$block.err")" ;;
    esac
  done || exit 1
}

drawing=""
sh_blocks=0
for block in "$work"/blocks/*.sh; do
  grep -q 'corvane-cli' "$block" || continue
  sh_blocks=$((sh_blocks + 1))
  if grep -q '^cat > line\.edit' "$block"; then
    drawing="$block"
  fi
  run_block "$block"
done
[ "$sh_blocks" -ge 3 ] || fail "only $sh_blocks examples of corvane-cli found in README.md"
[ -n "$drawing" ] || fail "the example from a drawing to a compiled line is missing"

# The drawing example's promises: the check finds the one margin warning, the
# compile writes the dia data, which reads back with its station.
check_run=$(grep -n ' map check line.kvm$' "$work/log" | head -1 | cut -d: -f1)
[ -n "$check_run" ] || fail "the drawing example runs no map check of line.kvm"
check_out="$work/runs/$((check_run - 1)).out"
[ "$(grep -c '^＜警告＞' "$check_out")" -eq 1 ] || fail "not one warning: $(cat "$check_out")"
grep -qx '＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには20\[m\]以上確保してください。' \
  "$check_out" || fail "no margin warning: $(cat "$check_out")"
grep -qx 'エラー：0件　警告：1件' "$check_out" || fail "counter line: $(cat "$check_out")"
[ -s "$run_dir/line.kvb" ] || fail "the compile wrote no line.kvb"
grep -qx 'stations: 1' "$drawing.out" || fail "dia info shows no station: $(cat "$drawing.out")"

# The editing-script examples, each on the drawn line, saved: status 0, no
# refusal, every answer used.
scripts=0
for block in "$work"/blocks/*.plain; do
  grep -qv '^\(mode\|answer\|command\|click\|clickpx\|right\|rightpx\|release\|key\|station\|stopsection\|save\)\( \|$\)' \
    "$block" && continue
  scripts=$((scripts + 1))
  name=$(basename "$block" .plain)
  cat "$block" > "$work/script.edit"
  echo save >> "$work/script.edit"
  err=$("$work/bin/corvane-cli" map edit "$run_dir/line.kvm" "$work/$name.kvm" \
    < "$work/script.edit" 2>&1 >/dev/null) || fail "script $name: status $?: $err"
  case "$err" in *エラー* | *"never used"*) fail "script $name: $err" ;; esac
  if grep -q '信号詳細設定' "$block"; then
    "$work/bin/corvane-cli" map signals "$work/$name.kvm" |
      grep -q "$(printf '100\\[km/h\\]\t1023\t高速\t#0000FF')" || fail "script $name: no new aspect"
  fi
done
[ "$scripts" -ge 3 ] || fail "only $scripts editing-script examples found in README.md"
echo "README examples: all passed"
