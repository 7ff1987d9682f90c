#!/usr/bin/env bash
# A year of the example basin through MODFLOW-2005: corvane's grids of the year as the model's
# recharge, five runs of a small model of the basin (base and four variants), tallisk's impact
# page and gridkit's impacts CSV from their HYDMOD files.
# Usage: examples/modflow2005/run.sh MF2005 BUILD_DIR RUN_DIR [YEAR]
#   MF2005   a double-precision MODFLOW-2005 (tools/build-mf2005 builds one)
#   RUN_DIR  the example run, whose corvane/ already holds the text and binary grids and
#            balance.csv; the model goes to RUN_DIR/modflow2005/
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
mf2005="$1"
build="$(cd "$2" && pwd)"
run="$(cd "$3" && pwd)"
year="${4:-1998}"
model="$run/modflow2005"

program() {
  local name="$1"
  shift
  ${EXE_RUNNER:-} "$build/$name/$name${EXE_SUFFIX:-}" "$@"
}

# Runs the model in the run directory $1. MODFLOW-2005 ends with status 0 after its own input
# errors too, so a run counts only when it reports normal termination: otherwise the script
# stops before tallisk could account a stale HYDMOD file.
run_model() {
  local dir="$1"
  if ! (cd "$dir" && "$mf2005" model.nam >stdout.txt 2>&1) ||
    ! grep -q "Normal termination" "$dir/stdout.txt"; then
    echo "MODFLOW-2005: the run in $dir did not end normally; see $dir/stdout.txt and" >&2
    echo "              $dir/model.lst" >&2
    tail -n 5 "$dir/stdout.txt" >&2
    exit 1
  fi
}

rm -rf "$model"
python3 "$here/make_model.py" "$model" --ibound "$run/corvane/ibound.txt" --year "$year"

# The recharge package: each month's text grid with the multiplier to feet per day, the
# cell-by-cell recharge saved on unit 50 (the name file's budget.cbc).
program gridkit rch "$run/corvane/balance.csv" --year "$year" --grids ../../corvane/grids/text \
  --cbc 50 -o "$model/model/recharge.rch" >/dev/null

for name in base a b c d; do
  run_model "$model/$name"
done
echo "MODFLOW-2005: five runs of $year in $model, HYDMOD files in $model/runs"

# The binary run feeds the model too: its grids as the model's binary array files, the base run
# again with them, and the same HYDMOD file as from the text grids.
program gridkit mfarray "$run/corvane/grids/binary" -o "$model/arrays" >/dev/null
program gridkit rch "$run/corvane/balance.csv" --year "$year" --grids ../arrays --binary \
  --cbc 50 -o "$model/model/recharge-binary.rch" >/dev/null
mkdir -p "$model/base-binary"
sed -e 's#recharge.rch#recharge-binary.rch#' -e "s#../runs/$year.sfi#hydmod.sfi#" \
  "$model/base/model.nam" >"$model/base-binary/model.nam"
cp "$model/base/model.wel" "$model/base-binary/"
run_model "$model/base-binary"
if cmp -s "$model/base-binary/hydmod.sfi" "$model/runs/$year.sfi"; then
  echo "MODFLOW-2005: the base run from binary array files gives the same HYDMOD file"
else
  echo "MODFLOW-2005: the base run from binary array files gives another HYDMOD file" >&2
  exit 1
fi

(cd "$model/runs" && program gridkit explain "$year.sfi" >/dev/null) || {
  (cd "$model/runs" && program gridkit explain "$year.sfi") >&2
  exit 1
}
(cd "$model/runs" && program tallisk "$year" && program gridkit impacts "$year" -o "$year.csv")
[ -f "$model/runs/$year.htm" ] || {
  echo "tallisk: no page written" >&2
  exit 1
}
echo "tallisk: impact page of the model runs in $model/runs/$year.htm"
echo "gridkit: impacts at full precision in $model/runs/$year.csv"
