#!/bin/sh
# Makes a throwaway Wine prefix with the null graphics driver (no X server
# needed) and keeps its server running for the tests; or stops it again.
#   wine-prefix.sh start <prefix>    fresh prefix, server and wineboot up
#   wine-prefix.sh stop <prefix>     server down
set -u
export WINEPREFIX=$2
export WINEDEBUG=-all
. "$(dirname "$0")/wine-choice.sh"

case "$1" in
start)
    # A prefix made under a still running server stalls later GUI runs.
    wineserver -k >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # The graphics driver must be chosen before the prefix first boots.
    printf '%s\n' 'WINE REGISTRY Version 2' '' '[Software\\Wine\\Drivers]' '"Graphics"="null"' \
        >"$WINEPREFIX/user.reg"
    # Wine's background processes inherit the standard streams of whoever
    # starts them; left on a pipe, they keep the test runner waiting forever.
    "$wine" wineboot -i </dev/null >/dev/null 2>&1 || exit 1
    wineserver -w
    wineserver -p </dev/null >/dev/null 2>&1
    "$wine" wineboot </dev/null >/dev/null 2>&1
    # COM and LPT would reach the machine's real ports (COM1 is /dev/ttyS0).
    # Each boot makes the links again (a port switched off in the registry
    # only moves to the next number), so they go after the last one; the
    # server stays up, so nothing boots again before the tests end.
    rm -f "$WINEPREFIX"/dosdevices/com* "$WINEPREFIX"/dosdevices/lpt*
    ;;
stop)
    wineserver -k >/dev/null 2>&1
    ;;
*)
    echo "usage: $0 start|stop <prefix>" >&2
    exit 2
    ;;
esac
exit 0
