#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, then the example comparison, all against one Wine
# server that lives for the whole stage.
#
# A Wine server ends a few seconds after its last program; a program that starts while it ends
# dies at once with "wine client error: recvmsg: Connection reset by peer". Tests start and stop
# hundreds of programs, so a server per burst of tests loses one of them now and then. Here the
# prefix is made first, then one persistent server is started in the foreground of a background
# job (its process id known, its messages kept), every test talks to it, and it is stopped by
# that id at the end, whatever happened.
# Usage: tests/windows/run_tests.sh [WINDOWS_BUILD] [LINUX_BUILD]
# (RUN_TESTS_ONLY=1 leaves out the example comparison, which needs the Linux build.)
set -euo pipefail

# Debian's Wine starts programs without a preloader, so the loader's heap begins at a random
# distance above it and, now and then, covers the address where Windows programs find the shared
# user data: that program then cannot start ("failed to map the shared user data: c0000018", and
# the test that started it fails with "cannot run"). The stage runs without address-space
# randomization, which every program it starts inherits, so the layout is the same every time.
if [ -z "${RECHARGE_FIXED_LAYOUT:-}" ] && command -v setarch >/dev/null; then
  export RECHARGE_FIXED_LAYOUT=1
  exec setarch "$(uname -m)" --addr-no-randomize "$0" "$@"
fi
root="$(cd "$(dirname "$0")/../.." && pwd)"
windows="$(cd "${1:-$root/build-windows}" && pwd)"
linux="${2:-$root/build}"
export WINEDEBUG="${WINEDEBUG:--all,err+all}" WINEPREFIX="$windows/wine-prefix"
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || wine=wine
[ -x "$wineserver" ] || wineserver=wineserver
server_log="$windows/wineserver.log"

# The prefix, made before any test: made by the first of two tests started at once, it can fail
# the other. wineboot's own server is let go before ours starts.
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w

server_pid=""
stop_server() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    # Ends every program of the prefix, Wine's own services among them, and then the server.
    "$wineserver" -k 2>/dev/null || kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  if [ -s "$server_log" ]; then
    echo "windows: the Wine server said:"
    sed 's/^/  /' "$server_log"
  fi
}
trap stop_server EXIT
"$wineserver" --foreground --persistent >"$server_log" 2>&1 &
server_pid=$!
# Programs start only once the server listens. Debian's Wine keeps the server's socket in a
# folder of a random name under the temporary directory, written into the prefix's file
# "wineserver"; the socket is in the folder named after the prefix's device and inode there.
socket_ready() {
  local folder
  folder="$(cat "$WINEPREFIX/wineserver" 2>/dev/null)" || folder=".wine-$(id -u)"
  compgen -G "${TMPDIR:-/tmp}/$folder/server-*/socket" >/dev/null ||
    compgen -G "/tmp/.wine-$(id -u)/server-*/socket" >/dev/null
}
for _ in $(seq 200); do
  socket_ready && break
  kill -0 "$server_pid" 2>/dev/null || { echo "windows: the Wine server did not start"; exit 1; }
  sleep 0.1
done
socket_ready || { echo "windows: the Wine server is not listening"; exit 1; }
# The first program of a server starts Wine's own services (wineboot, services.exe, the device
# drivers), which inherit that program's output streams and, under a persistent server, keep them
# open until the server ends. Were that program a test, CTest would wait for the end of its
# output until the test's time limit. So they are started here, by a program whose streams lead
# nowhere.
"$wine" wineboot </dev/null >/dev/null 2>&1

ctest --preset windows -j 2
[ -n "${RUN_TESTS_ONLY:-}" ] || "$root/tests/windows/compare_example.sh" "$linux" "$windows"
