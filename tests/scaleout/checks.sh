# The checks of the scale-out scripts, sourced by each: check prints "ok: WHAT" or "FAIL: WHAT"
# for a command, and checks_summary prints the count of failures and fails when there was one.
failures=0
check() {
  local what="$1"
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
# Whether the text $1 contains the string $2.
contains() { grep -qF -- "$2" <<<"$1"; }
checks_summary() {
  echo "$failures failure(s)"
  [ "$failures" -eq 0 ]
}
