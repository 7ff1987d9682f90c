# One forward run of the example basin for PEST or PEST++, started by the agent as
#   sh forward_run.sh
# (agents start the command without a shell, so the script is named with its interpreter). It
# runs in the agent's copy of the working tree, one folder below it (pest/), so every path is
# relative: the tree is "..", tallisk finds its lists in ../data0/ of its own directory, and no
# two agents share a file. PEST has written the parameters into corvane's inputs from the
# templates before it starts.
#
# recharge-year removes every file of the year that one program writes and another reads (the
# grids, the recharge package, the HYDMOD files, the page and the impacts CSV) before it runs
# anything, so a failed step never leaves an earlier run's numbers for the instruction file; it
# exits non-zero on any failure, which PEST counts as a failed run.
#
# RECHARGE_MF2005 names the model; YEAR the year the calibration runs.
set -eu
YEAR=${YEAR:-1998}
exec recharge-year --model "${RECHARGE_MF2005:-mf2005dbl} model.nam" \
  --run "model/$YEAR/base" --run "model/$YEAR/a" --run "model/$YEAR/b" \
  --run "model/$YEAR/c" --run "model/$YEAR/d" --tallisk "model/$YEAR/runs" \
  --rch "model/$YEAR/model/recharge.rch" --rch-grids ../../../corvane/grids/text \
  --rch-arg --cbc --rch-arg 50 \
  .. "$YEAR"
