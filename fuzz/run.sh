#!/usr/bin/env bash
# Builds every fuzz harness with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each for SECONDS (default 60). New interesting inputs accumulate in fuzz/corpus/NAME;
# a crash leaves its input in fuzz/crashes/ and makes the script fail. Copy inputs worth keeping
# to fuzz/regressions/NAME, which the normal test suite replays.
# Usage: fuzz/run.sh [SECONDS] [NAME...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
command -v clang++ >/dev/null || { echo "fuzz/run.sh needs clang++ (Debian: clang)"; exit 1; }
# Every library is built with coverage instrumentation too, so the fuzzer sees into the readers
# and not only into the harness.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DRECHARGE_SANITIZE=ON -DRECHARGE_FUZZ=ON -DRECHARGE_TESTS=OFF >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cc; do n=$(basename "$f" _fuzz.cc); names+=("$n"); done
fi
targets=()
for n in "${names[@]}"; do targets+=("${n}_fuzz"); done
cmake --build build-fuzz -j 2 --target "${targets[@]}"
mkdir -p fuzz/crashes
status=0
for n in "${names[@]}"; do
  mkdir -p "fuzz/corpus/$n"
  echo "== $n: ${seconds}s"
  seeds=("fuzz/corpus/$n")
  [ -d "fuzz/regressions/$n" ] && seeds+=("fuzz/regressions/$n")
  if ! "build-fuzz/fuzz/${n}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$PWD/fuzz/crashes/${n}-" -print_final_stats=1 "${seeds[@]}" \
       2> "build-fuzz/${n}.log"; then
    echo "!! $n failed; see build-fuzz/${n}.log and fuzz/crashes/"
    tail -n 30 "build-fuzz/${n}.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|cov:' "build-fuzz/${n}.log" | tail -n 2 || true
  fi
done
exit $status
