#!/usr/bin/env bash
# Runs the example basin through the three programs in a fresh copy under examples/run/.
# Usage: examples/run.sh [BUILD_DIR]   (default: build)
# RUN_DIR names another place for the run; for a Windows build started through Wine, set
# EXE_RUNNER=wine EXE_SUFFIX=.exe.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
run="${RUN_DIR:-$here/run}"

# Runs the built program $1 with the remaining arguments.
program() {
  local name="$1"
  shift
  ${EXE_RUNNER:-} "$build/$name/$name${EXE_SUFFIX:-}" "$@"
}
rm -rf "$run"
mkdir -p "$run"
echo "Example run in $run"

# tallisk: the impacts of the example year 1995, with the accounting-point lists at ../data0/.
cp -r "$here/tallisk" "$run/tallisk"
rm -rf "$run/tallisk/expected" "$run/tallisk/make_example.py"
(cd "$run/tallisk/runs" && program tallisk 1995)
echo "tallisk: impact page in $run/tallisk/runs/1995.htm"
# The same impacts at full precision, with the run volumes, as CSV, read where tallisk reads.
(cd "$run/tallisk/runs" && program gridkit impacts 1995 -o 1995.csv)
echo "gridkit: impacts at full precision in $run/tallisk/runs/1995.csv"

# corvane: the example basin's monthly recharge and yearly area grids, as text and as binary.
cp -r "$here/corvane" "$run/corvane"
mkdir -p "$run/corvane/grids/text" "$run/corvane/grids/binary"
(cd "$run/corvane" && program corvane params.txt && program corvane params-bin.txt)
echo "corvane: text grids in $run/corvane/grids/text, binary grids in $run/corvane/grids/binary,"
echo "         water balance in $run/corvane/balance.csv"

# gridkit: the text and binary runs compared grid by grid (identical values: exit status 0,
# else the script stops), and the text grids checked for grids no run of this balance wrote.
mkdir -p "$run/gridkit"
(cd "$run" && program gridkit diff corvane/grids/text corvane/grids/binary > gridkit/diff.txt)
echo "gridkit: text against binary grids, $(tail -n 1 "$run/gridkit/diff.txt" | sed 's/^summary: //')"
program gridkit check "$run/corvane/grids/text" --balance "$run/corvane/balance.csv" |
  sed 's/^summary: /gridkit: check of the text grids: /'

# gridkit: a map of one month's recharge of the example basin, from the first monthly grid
# (named YEAR.MONTH.ext) found under the run, with the basin's inactive cells masked.
month_grid="$(find "$run" -type f -name '[0-9][0-9][0-9][0-9].[0-9][0-9].*' ! -name '*.png' |
  LC_ALL=C sort | sed -n 1p)"
if [ -n "$month_grid" ]; then
  mkdir -p "$run/gridkit"
  picture="$run/gridkit/$(basename "$month_grid").png"
  ibound=()
  if [ -f "$run/corvane/ibound.txt" ]; then ibound=(--ibound "$run/corvane/ibound.txt"); fi
  program gridkit png "$month_grid" "${ibound[@]}" -o "$picture"
  echo "gridkit: map of $month_grid in $picture"
else
  echo "gridkit: no monthly recharge grid under $run to draw"
fi

# gridkit: the whole corvane run (binary grids) as one CF NetCDF file, inactive cells masked.
mkdir -p "$run/gridkit"
if (cd "$run/corvane" && program gridkit netcdf grids/binary rch are --ibound ibound.txt \
      -o "$run/gridkit/corvane-run.nc" >/dev/null); then
  echo "gridkit: NetCDF file of the corvane run in $run/gridkit/corvane-run.nc"
else
  echo "gridkit: no NetCDF file (see the message above)"
fi

# MODFLOW-2005: a year of the example basin through the real model, from corvane's grids to
# tallisk's page, when RECHARGE_MF2005 names a double-precision MODFLOW-2005.
if [ -n "${RECHARGE_MF2005:-}" ]; then
  "$here/modflow2005/run.sh" "$RECHARGE_MF2005" "$build" "$run" 1998
else
  echo "MODFLOW-2005: not run; to run the example year through the model, build one with"
  echo "              tools/build-mf2005 mf2005-1.12-src.tar.gz and set RECHARGE_MF2005 to the"
  echo "              path it prints (see docs/modflow.md)"
fi

# membrelv2: the county recharge generator for 1995, in a copy of examples/membrelv2/ whose
# working directory is work/ (inputs under ../data, ../static and ../data0; outputs in work/ks/).
cp -R "$here/membrelv2" "$run/membrelv2"
(cd "$run/membrelv2/work" && program membrelv2 1995 > ../stdout.txt)
echo "membrelv2: outputs in $run/membrelv2/work/ks/, standard output in $run/membrelv2/stdout.txt"

# MODFLOW 6: the example year as a MODFLOW 6 model fed by the corvane run, and its impacts.
if [ -n "${RECHARGE_MF6:-}" ]; then
  "$here/modflow6/run.sh" "$build" "$run"
else
  echo "modflow6: not run; set RECHARGE_MF6 to a MODFLOW 6 program (tools/build-mf6 builds one)"
fi
