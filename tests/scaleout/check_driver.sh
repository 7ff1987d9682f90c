#!/usr/bin/env bash
# The year driver (tools/recharge-year) with a stand-in model: each run copies the example's
# HYDMOD file of its run into tallisk's directory and reports normal termination, unless its run
# folder holds a file BREAK, when it reports an input error and ends with status 0, as
# MODFLOW-2005 does. Checks the chain's outputs, the removal of an earlier run's files, the
# message naming the year and the step, N years at a time, and the refusals of bad commands.
#   check_driver.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
driver="$source/tools/recharge-year"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# shellcheck source=tests/scaleout/checks.sh
. "$source/tests/scaleout/checks.sh"

# A working tree of the example basin for 1998 and 1999: corvane's example, and for each year
# tallisk's lists and the five run folders.
make_tree() {
  local tree="$1" year run
  mkdir -p "$tree/fixtures"
  cp -r "$source/examples/corvane" "$tree/corvane"
  mkdir -p "$tree/corvane/grids/text"
  cp "$source/examples/tallisk/runs/"1995*.sfi "$tree/fixtures/"
  cat >"$tree/fixtures/model.sh" <<'EOF'
run="$(basename "$PWD")"
suffix="$run"
[ "$run" = base ] && suffix=""
if [ -e BREAK ]; then echo " Error opening file model.wel"; exit 0; fi
cp ../../../fixtures/1995$suffix.sfi "../runs/$1$suffix.sfi"
echo " Normal termination of simulation"
EOF
  for year in 1998 1999; do
    mkdir -p "$tree/acct/$year/runs"
    cp -r "$source/examples/tallisk/data0" "$tree/acct/$year/data0"
    for run in base a b c d; do mkdir -p "$tree/acct/$year/$run"; done
  done
}

run_driver() {
  "$driver" --programs "$build" --model 'sh ../../../fixtures/model.sh {year}' \
    --run 'acct/{year}/base' --run 'acct/{year}/a' --run 'acct/{year}/b' \
    --run 'acct/{year}/c' --run 'acct/{year}/d' --tallisk 'acct/{year}/runs' "$@"
}

no_temporary_files() {
  [ -z "$(find "$1" -name '.tmp*' -o -name '.recharge-year.*')" ]
}

# A good year: its grids, page, CSV and summary line; an earlier run's grid of a month without
# flows and its page are gone or rewritten.
tree="$scratch/good"
make_tree "$tree"
touch "$tree/corvane/grids/text/1998.01.rch" "$tree/acct/1998/runs/1998.htm"
output="$(run_driver "$tree" 1998)"
status=$?
check "a good year ends with status 0" test "$status" -eq 0
check "one summary line for the year" test "$(wc -l <<<"$output")" -eq 1
check "the summary line names the year and its page" contains "$output" "1998: done in"
check "the year's page is written" test -s "$tree/acct/1998/runs/1998.htm"
check "the year's impacts CSV is written" test -s "$tree/acct/1998/runs/1998.csv"
check "the year's grids are written" test -f "$tree/corvane/grids/text/1998.07.rch"
check "the other year's grids are not" test ! -e "$tree/corvane/grids/text/1999.07.rch"
check "an earlier run's grid of a month without flows is removed" \
  test ! -e "$tree/corvane/grids/text/1998.01.rch"
check "the year's water balance is its own" grep -q '^1998' "$tree/years/1998/balance.csv"
check "no temporary file is left" no_temporary_files "$tree"
cp "$tree/acct/1998/runs/1998.htm" "$scratch/serial-1998.htm"
cp "$tree/acct/1998/runs/1998.csv" "$scratch/serial-1998.csv"

# A model run that fails: the year stops there with a message naming the year and the run, and
# no earlier page, CSV or HYDMOD file of the year is left to be taken for this run's.
touch "$tree/acct/1998/c/BREAK"
output="$(run_driver "$tree" 1998)"
status=$?
check "a failed model run ends with status 1" test "$status" -eq 1
check "the message names the year and the run" \
  contains "$output" "recharge-year: 1998: model run c did not end normally: Error opening file model.wel"
check "the earlier page is removed" test ! -e "$tree/acct/1998/runs/1998.htm"
check "the earlier CSV is removed" test ! -e "$tree/acct/1998/runs/1998.csv"
check "the earlier HYDMOD file of the failed run is removed" test ! -e "$tree/acct/1998/runs/1998c.sfi"
check "the runs after the failed one are not started" test ! -e "$tree/acct/1998/runs/1998d.sfi"
rm "$tree/acct/1998/c/BREAK"

# corvane stopping names corvane and its message.
tree="$scratch/corvane"
make_tree "$tree"
rm "$tree/corvane/ibound.txt"
output="$(run_driver "$tree" 1998)"
status=$?
check "corvane's stop ends with status 1" test "$status" -eq 1
check "the message names the year, corvane and its message" \
  contains "$output" "recharge-year: 1998: corvane failed: Error opening file"
check "no model run is started after corvane stops" test ! -e "$tree/acct/1998/base/stdout.txt"

# Two years at a time, one broken: both summarized, the good one the same as run alone.
tree="$scratch/parallel"
make_tree "$tree"
touch "$tree/acct/1999/a/BREAK"
output="$(run_driver --jobs 2 "$tree" 1998-1999)"
status=$?
check "a range with a failed year ends with status 1" test "$status" -eq 1
check "the good year is summarized" contains "$output" "1998: done in"
check "the broken year is named with its step" contains "$output" "recharge-year: 1999: model run a did not end normally"
check "the failed years are counted" contains "$output" "recharge-year: 1 of 2 years failed: 1999"
check "the good year's page is the same as alone" cmp -s "$scratch/serial-1998.htm" "$tree/acct/1998/runs/1998.htm"
check "the good year's CSV is the same as alone" cmp -s "$scratch/serial-1998.csv" "$tree/acct/1998/runs/1998.csv"
check "no temporary file is left by years side by side" no_temporary_files "$tree"

# Commands the driver refuses, before it touches anything.
output="$("$driver" --run x "$tree" 1998 2>&1)"
check "no model command: status 2" test $? -eq 2
check "no model command: said" contains "$output" "no model command"
output="$(run_driver --jobs 2 --tallisk runs "$tree" 1998-1999 2>&1)"
check "years side by side in one shared directory: status 2" test $? -eq 2
check "years side by side in one shared directory: said" contains "$output" "must hold {year}"
output="$(run_driver "$tree" 19980 2>&1)"
check "a word that is not a year: status 2" test $? -eq 2

checks_summary
