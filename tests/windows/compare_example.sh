#!/usr/bin/env bash
# Runs the example basin with the Linux build and, under Wine, with the Windows build, and
# compares every file the two runs leave, byte for byte. Standard output kept in a file
# (stdout.txt, diff.txt), which Windows writes with CR LF line ends, is compared with those read
# as LF.
# Usage: tests/windows/compare_example.sh [LINUX_BUILD] [WINDOWS_BUILD]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
linux="$(cd "${1:-$root/build}" && pwd)"
windows="$(cd "${2:-$root/build-windows}" && pwd)"
# The model chains of the example are left out: the models' listings carry the time of the run.
unset RECHARGE_MF2005 RECHARGE_MF6
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$windows/wine-prefix}"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
RUN_DIR="$work/linux" "$root/examples/run.sh" "$linux" >"$work/linux.log" 2>&1 ||
  { cat "$work/linux.log"; exit 1; }
RUN_DIR="$work/windows" EXE_RUNNER="$wine" EXE_SUFFIX=.exe "$root/examples/run.sh" "$windows" \
  >"$work/windows.log" 2>&1 || { cat "$work/windows.log"; exit 1; }

(cd "$work/linux" && find . -type f | LC_ALL=C sort) >"$work/linux.files"
(cd "$work/windows" && find . -type f | LC_ALL=C sort) >"$work/windows.files"
# A Windows build without the NetCDF library writes no NetCDF file; the rest must match.
if ! grep -q '\.nc$' "$work/windows.files"; then
  grep '\.nc$' "$work/linux.files" | sed 's/^/compare_example: not in the Windows build: /' || true
  grep -v '\.nc$' "$work/linux.files" >"$work/linux.kept" && mv "$work/linux.kept" "$work/linux.files"
fi
if ! diff -u "$work/linux.files" "$work/windows.files"; then
  echo "compare_example: the two runs left different files" >&2
  exit 1
fi
different=0
while read -r name; do
  a="$work/linux/$name" b="$work/windows/$name"
  if [ "$(basename "$name")" = stdout.txt ] || [ "$(basename "$name")" = diff.txt ]; then
    sed 's/\r$//' "$b" >"$work/stdout.lf" && b="$work/stdout.lf"
  fi
  if ! cmp -s "$a" "$b"; then
    echo "compare_example: $name differs" >&2
    cmp "$a" "$b" | head -1 >&2 || true
    different=1
  fi
done <"$work/linux.files"
[ "$different" -eq 0 ] || exit 1
echo "compare_example: $(wc -l <"$work/linux.files") files of the example basin are the same on Linux and Windows"
