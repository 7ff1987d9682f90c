#!/usr/bin/env bash
# Keeps what the fuzzer learned as regression inputs: the inputs of fuzz/corpus/NAME that reach
# branches the kept inputs of fuzz/regressions/NAME do not are added to them. libFuzzer's merge
# picks the fewest inputs of at most MAX_LEN bytes (default 256) that reach every branch (hit
# counts are not told apart), so the kept set stays a few dozen small files. Run fuzz/run.sh
# first: it builds the harnesses and fills the corpus.
# Usage: fuzz/keep.sh NAME [MAX_LEN]
set -euo pipefail
cd "$(dirname "$0")/.."
name="$1"
max_len="${2:-256}"
fuzzer="build-fuzz/fuzz/${name}_fuzz"
[ -x "$fuzzer" ] || { echo "no $fuzzer: run fuzz/run.sh first"; exit 1; }
kept="fuzz/regressions/$name"
fresh="$(mktemp -d)"
trap 'rm -rf "$fresh"' EXIT
mkdir -p "$kept"
cp -p "$kept"/. "$fresh"/ -r
"$fuzzer" -merge=1 -use_counters=0 -max_len="$max_len" "$fresh" "fuzz/corpus/$name" 2> "build-fuzz/${name}.merge.log"
added=$(comm -13 <(ls "$kept" | sort) <(ls "$fresh" | sort))
for f in $added; do cp "$fresh/$f" "$kept/$f"; done
echo "$name: $(echo "$added" | grep -c . || true) inputs added, $(ls "$kept" | wc -l) kept"
