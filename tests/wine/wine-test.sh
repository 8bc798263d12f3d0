#!/bin/sh
# Runs one cross-built GoogleTest program under Wine in the given prefix. It
# passes only on GoogleTest's PASSED line and never with a FAILED line: a
# Wine that cannot run the program may print nothing and exit 0.
#   wine-test.sh <prefix> <test.exe> [arguments...]
set -u
export WINEPREFIX=$1 WINEDEBUG=-all
shift
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tools/wine-route.sh"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Output goes to a file, never to the runner's pipe (see wine-prefix.sh).
timeout --kill-after=10 600 "$wine" "$@" </dev/null >"$log" 2>&1
status=$?
tr -d '\r' <"$log"
[ "$status" -eq 0 ] && grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"
