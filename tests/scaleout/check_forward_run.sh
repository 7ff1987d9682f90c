#!/usr/bin/env bash
# A forward run of the example basin as a PEST agent starts it: in the agent's copy of the
# working tree, `sh forward_run.sh` one folder below it, after PEST filled corvane's return-flow
# table from gridkit's template. The impacts CSV it writes is read through gridkit's instruction
# file, every observation found; a broken run ends non-zero and leaves no CSV to be read.
#   check_forward_run.sh BUILD_DIR SOURCE_DIR
# Skipped (status 77) without a model (RECHARGE_MF2005), unless RECHARGE_REQUIRE_MODELS=1.
set -uo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
mf2005="${RECHARGE_MF2005:-${RECHARGE_MF2005_BUILT:-}}"
if [ -z "$mf2005" ] || [ ! -x "$mf2005" ]; then
  echo "skipped: no MODFLOW-2005 (set RECHARGE_MF2005 to the program tools/build-mf2005 prints)"
  [ "${RECHARGE_REQUIRE_MODELS:-}" = 1 ] && exit 1
  exit 77
fi
export RECHARGE_MF2005="$mf2005" RECHARGE_PROGRAMS="$build" PATH="$source/tools:$PATH"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# shellcheck source=tests/scaleout/checks.sh
. "$source/tests/scaleout/checks.sh"
gridkit="$build/gridkit/gridkit"
pest_files() { python3 -B "$source/tests/scaleout/pest_files.py" "$@"; }

agent="$scratch/agent1"
python3 -B "$source/examples/scaleout/make_tree.py" "$agent" --years 1998-1998 || exit 1
mkdir "$agent/pest"
cp "$source/examples/pest/forward_run.sh" "$agent/pest/"
csv="$agent/model/1998/runs/1998.csv"

# The files PEST works with: the template of the return-flow table, and the instruction file of
# the impacts CSV of a first run.
"$gridkit" pest-tpl "$agent/corvane/returns/monthly.txt" --param "kbid=KBID:1998" \
  --param "fv07=Frenchman Valley:199807" -o "$agent/pest/monthly.tpl" >/dev/null
check "the template is written" test -s "$agent/pest/monthly.tpl"
(cd "$agent/pest" && sh forward_run.sh >/dev/null)
check "the first forward run ends with status 0" test $? -eq 0
"$gridkit" pest-ins "$csv" -o "$agent/pest/impacts.ins" >/dev/null
pest_files read "$agent/pest/impacts.ins" "$csv" >"$scratch/first.txt"
check "the first run's observations are read" test "$(wc -l <"$scratch/first.txt")" -eq 35

# PEST's turn: new parameter values into corvane's input, then the forward run.
pest_files fill "$agent/pest/monthly.tpl" "$agent/corvane/returns/monthly.txt" kbid=2000 fv07=1500
(cd "$agent/pest" && sh forward_run.sh >/dev/null)
check "the forward run with PEST's values ends with status 0" test $? -eq 0
pest_files read "$agent/pest/impacts.ins" "$csv" >"$scratch/second.txt"
check "every observation is read again" test "$(wc -l <"$scratch/second.txt")" -eq 35
check "the same names" cmp -s <(cut -d' ' -f1 "$scratch/first.txt") <(cut -d' ' -f1 "$scratch/second.txt")
check "the mound's impact follows the new return flows" test \
  "$(grep '^total_mound ' "$scratch/first.txt")" != "$(grep '^total_mound ' "$scratch/second.txt")"
check "the run without recharge does not" test \
  "$(grep '^stateline_d ' "$scratch/first.txt")" = "$(grep '^stateline_d ' "$scratch/second.txt")"

# A broken run: status non-zero, and no impacts CSV of the run before left for PEST to read.
rm "$agent/model/1998/b/model.wel"
(cd "$agent/pest" && sh forward_run.sh >"$scratch/broken.txt")
check "a broken forward run ends non-zero" test $? -ne 0
check "it says which step" grep -q "1998: model run b did not end normally" "$scratch/broken.txt"
check "no impacts CSV is left to be read" test ! -e "$csv"

checks_summary
