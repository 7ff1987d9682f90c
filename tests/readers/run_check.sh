#!/usr/bin/env bash
# Runs one reader check in a scratch directory: run_check.sh PYTHON CHECK.py ARGS...
set -euo pipefail
python="$1" check="$2"
shift 2
if [ ! -x "$python" ]; then
  if [ "${RECHARGE_REQUIRE_READERS:-}" = 1 ]; then echo "required reader missing: $python"; exit 1; fi
  echo "skipped: $python not installed"
  exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$python" "$check" "$@" "$work"
