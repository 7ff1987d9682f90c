#!/usr/bin/env bash
# Runs the example basin's year as a MODFLOW 6 model: the five runs of model/ with the
# recharge of the corvane run, then their stream observations accounted into the impacts.
# Usage: examples/modflow6/run.sh BUILD_DIR RUN_DIR, with RECHARGE_MF6 naming the program and
# RUN_DIR holding the corvane run of examples/run.sh (corvane/grids/text and binary).
# Writes RUN_DIR/modflow6/: one directory per run, 1998.htm and 1998.csv.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$1"
run="$2"
mf6="${RECHARGE_MF6:?RECHARGE_MF6 must name the MODFLOW 6 program}"
out="$run/modflow6"
year=1998

gridkit() { ${EXE_RUNNER:-} "$build/gridkit/gridkit${EXE_SUFFIX:-}" "$@"; }

rm -rf "$out"
mkdir -p "$out"
cp -R "$here/model" "$out/model"
cp "$here/tallisk.mf6" "$out/tallisk.mf6"

# The year's months as stress periods of two time steps (24 steps, as the accounting takes),
# with the text grids opened in place and the binary grids written as MODFLOW 6 arrays.
# Every run directory lies beside model/, so one set of relative paths serves them all.
mkdir -p "$out/base"
gridkit mf6-rcha "$run/corvane/grids/text" rch --years "$year" --steps 2 \
  --model-dir "$out/base" -o "$out/model/year" >/dev/null
gridkit mf6-rcha "$run/corvane/grids/binary" rch --years "$year" --steps 2 \
  --model-dir "$out/base" -o "$out/model/year-binary" >/dev/null

# Writes the simulation of run $1 (wells of run $2, recharge package $3 or none) and runs it.
simulate() {
  local name="$1" wells="$2" recharge="$3"
  mkdir -p "$out/$name"
  cat >"$out/$name/mfsim.nam" <<NAM
BEGIN TIMING
  TDIS6 ../model/year.tdis
END TIMING

BEGIN MODELS
  GWF6 basin.nam basin
END MODELS

BEGIN EXCHANGES
END EXCHANGES

BEGIN SOLUTIONGROUP 1
  IMS6 ../model/basin.ims basin
END SOLUTIONGROUP
NAM
  {
    echo "BEGIN PACKAGES"
    echo "  DIS6 ../model/basin.dis"
    echo "  IC6 ../model/basin.ic"
    echo "  NPF6 ../model/basin.npf"
    echo "  STO6 ../model/basin.sto"
    echo "  CHD6 ../model/basin.chd"
    echo "  WEL6 ../model/basin-$wells.wel"
    echo "  SFR6 ../model/basin.sfr"
    echo "  OC6 ../model/basin.oc"
    if [ -n "$recharge" ]; then echo "  RCH6 ../model/$recharge.rcha"; fi
    echo "END PACKAGES"
  } >"$out/$name/basin.nam"
  (cd "$out/$name" && "$mf6" >mf6.out 2>&1) || true
  # MODFLOW stops with status 0 after some input errors: the listing's last words decide.
  if ! grep -q "Normal termination" "$out/$name/mfsim.lst"; then
    echo "modflow6: the $name run failed; see $out/$name/mfsim.lst" >&2
    exit 1
  fi
}

simulate base base year
simulate a a year
simulate b b year
simulate c c year
simulate d d ""
# The base run again, its recharge read from MODFLOW 6 binary arrays: the same budget.
simulate base-binary base year-binary

(cd "$out" && gridkit obs-impacts "$year" base/basin.sfr.obs.csv a/basin.sfr.obs.csv \
  b/basin.sfr.obs.csv c/basin.sfr.obs.csv d/basin.sfr.obs.bsv --list tallisk.mf6 \
  -o "$year.csv" --page "$year.htm")
echo "modflow6: five runs in $out, impact page $out/$year.htm, impacts in $out/$year.csv"
