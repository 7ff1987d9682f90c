#!/usr/bin/env bash
# Runs the example basin through the three programs in a fresh copy under examples/run/.
# Usage: examples/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
run="$here/run"
rm -rf "$run"
mkdir -p "$run"
echo "Example run in $run"

# tallisk: the impacts of the example year 1995, with the accounting-point lists at ../data0/.
cp -r "$here/tallisk" "$run/tallisk"
rm -rf "$run/tallisk/expected" "$run/tallisk/make_example.py"
(cd "$run/tallisk/runs" && "$build/tallisk/tallisk" 1995)
echo "tallisk: impact page in $run/tallisk/runs/1995.htm"

# corvane: the example basin's monthly recharge and yearly area grids, as text and as binary.
cp -r "$here/corvane" "$run/corvane"
mkdir -p "$run/corvane/grids/text" "$run/corvane/grids/binary"
(cd "$run/corvane" && "$build/corvane/corvane" params.txt && "$build/corvane/corvane" params-bin.txt)
echo "corvane: text grids in $run/corvane/grids/text, binary grids in $run/corvane/grids/binary"
