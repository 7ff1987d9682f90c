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
