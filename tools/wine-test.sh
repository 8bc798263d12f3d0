#!/bin/sh
# Runs one cross-built GoogleTest program under Wine in the given prefix.
# It passes only on GoogleTest's own PASSED line: wine64 given a program it
# cannot run prints nothing and still exits 0.
#   wine-test.sh <prefix> <test.exe> [arguments...]
set -u
export WINEPREFIX=$1
shift
export WINEDEBUG=-all
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Output goes to a file, never to the runner's pipe (see wine-prefix.sh).
timeout --kill-after=10 600 /usr/lib/wine/wine64 "$@" </dev/null >"$log" 2>&1
status=$?
tr -d '\r' <"$log"
[ "$status" -eq 0 ] || exit 1
tr -d '\r' <"$log" | grep -q '^\[  PASSED  \]' || exit 1
! tr -d '\r' <"$log" | grep -q '^\[  FAILED  \]'
