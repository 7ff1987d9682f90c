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

# membrelv2: the county recharge generator for 1995, in a copy of examples/membrelv2/ whose
# working directory is work/ (inputs under ../data, ../static and ../data0; outputs in work/ks/).
cp -R "$here/membrelv2" "$run/membrelv2"
(cd "$run/membrelv2/work" && "$build/membrelv2/membrelv2" 1995 > ../stdout.txt)
echo "membrelv2: outputs in $run/membrelv2/work/ks/, standard output in $run/membrelv2/stdout.txt"
