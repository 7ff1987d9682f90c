#!/usr/bin/env bash
# Twelve years of the example basin through MODFLOW-2005 as a Slurm job array on a one-node
# cluster started here, against the same years run one after another by the year driver: every
# good year's page and CSV byte for byte the same, the year broken on purpose failed with its
# message and exit code 1:0, no earlier output of a year and no temporary file left. Prints the
# wall times of both.
#   check_slurm.sh BUILD_DIR SOURCE_DIR
# Skipped (status 77) without Slurm, munge, root or a model (RECHARGE_MF2005), unless
# RECHARGE_REQUIRE_MODELS=1, when it fails instead.
set -uo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
FIRST=2000 LAST=2011 BROKEN=2005 OFFSET=1940

skip() {
  echo "skipped: $1"
  [ "${RECHARGE_REQUIRE_MODELS:-}" = 1 ] && exit 1
  exit 77
}
mf2005="${RECHARGE_MF2005:-${RECHARGE_MF2005_BUILT:-}}"
[ -n "$mf2005" ] && [ -x "$mf2005" ] ||
  skip "no MODFLOW-2005 (set RECHARGE_MF2005 to the program tools/build-mf2005 prints)"
for command in munged slurmctld slurmd sbatch squeue scontrol sinfo python3; do
  PATH="$PATH:/usr/sbin" command -v "$command" >/dev/null ||
    skip "no $command (Debian: apt-get install slurm-wlm munge)"
done
[ "$(id -u)" = 0 ] || skip "slurmd runs the jobs as their users only when started by root"
export PATH="$PATH:/usr/sbin"

scratch="$(mktemp -d)"
. "$source/tests/scaleout/slurm_cluster.sh"
trap 'cluster_stop; rm -rf "$scratch"' EXIT
# shellcheck source=tests/scaleout/checks.sh
. "$source/tests/scaleout/checks.sh"

driver_options=(--programs "$build" --model "$mf2005 model.nam"
  --run 'model/{year}/base' --run 'model/{year}/a' --run 'model/{year}/b'
  --run 'model/{year}/c' --run 'model/{year}/d' --tallisk 'model/{year}/runs'
  --rch 'model/{year}/model/recharge.rch' --rch-grids ../../../corvane/grids/text
  --rch-arg --cbc --rch-arg 50)

python3 -B "$source/examples/scaleout/make_tree.py" "$scratch/serial" --years "$FIRST-$LAST" ||
  exit 1
cp -a "$scratch/serial" "$scratch/array"
# The broken year: run c's wells missing, an input error MODFLOW-2005 ends with status 0. An
# earlier good run of it left a page, a CSV, a HYDMOD file and a grid of a month without flows;
# a good year has such a grid too.
rm "$scratch/array/model/$BROKEN/c/model.wel"
for file in "$BROKEN.htm" "$BROKEN.csv" "${BROKEN}d.sfi"; do
  echo stale >"$scratch/array/model/$BROKEN/runs/$file"
done
echo stale >"$scratch/array/corvane/grids/text/$BROKEN.01.rch"
echo stale >"$scratch/array/corvane/grids/text/$FIRST.12.rch"

# The serial run: the years one after another in one process.
started=$SECONDS
"$source/tools/recharge-year" "${driver_options[@]}" "$scratch/serial" "$FIRST-$LAST" \
  >"$scratch/serial.txt"
check "the serial run of $FIRST-$LAST ends with status 0" test $? -eq 0
serial_seconds=$((SECONDS - started))
cat "$scratch/serial.txt"

# The array: one task a year, the year the task's index plus the offset.
cluster_start "$scratch/cluster" || exit 1
mkdir -p "$scratch/logs"
started=$SECONDS
job=$(RECHARGE_YEAR="$source/tools/recharge-year" sbatch --parsable \
  --array=$((FIRST - OFFSET))-$((LAST - OFFSET)) --output="$scratch/logs/%a.txt" \
  --chdir="$scratch" "$source/tools/slurm/recharge-years.sbatch" "$OFFSET" \
  "${driver_options[@]}" "$scratch/array")
check "the array is submitted" test -n "$job"
# sbatch --wait can return well after the last task: the queue is polled instead.
while [ -n "$(squeue -h -j "$job" 2>/dev/null)" ] && [ $((SECONDS - started)) -lt 900 ]; do
  sleep 1
done
array_seconds=$((SECONDS - started))

# Exit codes from the controller: without accounting, scontrol holds them.
exit_code() {
  scontrol show job "${job}_$(($1 - OFFSET))" | sed -n 's/.* ExitCode=\([0-9:]*\).*/\1/p' | head -n 1
}
for ((year = FIRST; year <= LAST; year++)); do
  log="$scratch/logs/$((year - OFFSET)).txt"
  if [ "$year" = "$BROKEN" ]; then
    check "$year failed with exit code 1:0" test "$(exit_code "$year")" = 1:0
    check "$year: the message names the year and the step" grep -q \
      "recharge-year: $year: model run c did not end normally" "$log"
    check "$year: no page, CSV or HYDMOD file of an earlier run is left" test -z \
      "$(find "$scratch/array/model/$year/runs" -name "$year.htm" -o -name "$year.csv" -o -name "${year}[cd].sfi")"
    check "$year: the grid of a month without flows is gone" test ! -e \
      "$scratch/array/corvane/grids/text/$year.01.rch"
  else
    check "$year ended with exit code 0:0" test "$(exit_code "$year")" = 0:0
    check "$year: one summary line" grep -q "^$year: done in" "$log"
    for file in "$year.htm" "$year.csv"; do
      check "$year: $file the same as the serial run's" \
        cmp "$scratch/serial/model/$year/runs/$file" "$scratch/array/model/$year/runs/$file"
    done
  fi
done
check "the earlier grid of a good year is gone" test ! -e "$scratch/array/corvane/grids/text/$FIRST.12.rch"
check "the grids of both runs are the same" diff -r "$scratch/serial/corvane/grids" \
  "$scratch/array/corvane/grids"
leftovers="$(find "$scratch/serial" "$scratch/array" -name '.tmp*' -o -name '.recharge-year.*')"
check "no temporary file is left${leftovers:+: $leftovers}" test -z "$leftovers"
stale="$(grep -rlx stale "$scratch/array")"
check "no earlier output is left${stale:+: $stale}" test -z "$stale"

echo "serial: $((LAST - FIRST + 1)) years in $serial_seconds s; array: $((LAST - FIRST + 1)) tasks on $(nproc) cores in $array_seconds s (submission to empty queue)"
checks_summary
