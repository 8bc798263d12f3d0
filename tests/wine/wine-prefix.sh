#!/bin/sh
# Makes a throwaway Wine prefix with the null graphics driver (no X server
# needed) and keeps its server running for the tests; or stops it again.
#   wine-prefix.sh start|stop <prefix>
set -u
export WINEPREFIX=$2 WINEDEBUG=-all
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tools/wine-route.sh"
wineserver -k >/dev/null 2>&1
[ "$1" = start ] || exit 0
# A prefix made under a still running server stalls later GUI runs; the
# graphics driver must be chosen before the prefix first boots.
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
printf '%s\n' 'WINE REGISTRY Version 2' '' '[Software\\Wine\\Drivers]' '"Graphics"="null"' >"$WINEPREFIX/user.reg"
# Wine's background processes inherit the standard streams of whoever starts
# them; left on a pipe, they keep the test runner waiting forever.
"$wine" wineboot -i </dev/null >/dev/null 2>&1 || exit 1
wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
"$wine" wineboot </dev/null >/dev/null 2>&1
# COM and LPT would reach the machine's real ports; each boot makes the links
# again, so they go after the last one.
rm -f "$WINEPREFIX"/dosdevices/com* "$WINEPREFIX"/dosdevices/lpt*
