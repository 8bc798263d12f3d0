# Sourced by the scripts that run an installer under Wine and photograph its
# pages (tools/demo.sh, tools/try-installer.sh), with $top set to the
# project's folder and tools/wine-route.sh and tools/xvfb.sh sourced. Needs
# $logs, a folder for the Wine programs' output.
#   start_wine_prefix    a throwaway prefix in $WINEPREFIX, its cleanup on exit
#   run_wine LOG LIMIT PROGRAM [ARGUMENT]...
#   use_x_driver         pages on an X display rather than nowhere
#   photograph_pages     that, with Wine's virtual desktop, on Xvfb
#   answer_photographs PID SHOTS   takes the photographs that PID asks for
#   windows_path PATH    a Linux path as Wine's programs see it

export WINEDEBUG=-all
xvfb=

# A Linux path as Wine's programs see it.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# Runs a Windows program with a time limit; its output goes to a log file,
# never to a pipe (Wine's background processes would hold it open).
run_wine() {
    wine_log=$1
    wine_limit=$2
    shift 2
    timeout --kill-after=10 "$wine_limit" "$wine" "$@" </dev/null >"$wine_log" 2>&1
}

stop_wine_prefix() {
    "$top/tests/wine/wine-prefix.sh" stop "$WINEPREFIX"
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}

start_wine_prefix() {
    WINEPREFIX=$(mktemp -d /tmp/vantrel-wine.XXXXXX)
    export WINEPREFIX
    trap stop_wine_prefix EXIT
    trap 'exit 130' INT TERM
    "$top/tests/wine/wine-prefix.sh" start "$WINEPREFIX"
}

set_wine_value() {
    run_wine "$logs/registry.log" 60 reg add "$1" /v "$2" /d "$3" /f ||
        { echo "cannot set $1\\$2 in the Wine prefix" >&2; return 1; }
}

# The prefix was made for windowless work; pages need the X driver, which
# Wine's processes take up only when they start afresh (after this).
use_x_driver() {
    set_wine_value 'HKCU\Software\Wine\Drivers' Graphics x11 || return 1
    # Without its own TrueType fonts Wine draws the caption's buttons as letters.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    "$top/tests/wine/wine-prefix.sh" stop "$WINEPREFIX"
}

# With no window manager under Xvfb, Wine's virtual desktop, exactly the
# size of the screen, draws the captions and frames.
photograph_pages() {
    set_wine_value 'HKCU\Software\Wine\Explorer' Desktop Default &&
        set_wine_value 'HKCU\Software\Wine\Explorer\Desktops' Default 640x480 &&
        use_x_driver || return 1
    start_xvfb || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
}

# Answers each request for a photograph (see tools/demo/page_photograph.h)
# until the process PID ends; returns its exit status.
answer_photographs() {
    while kill -0 "$1" 2>/dev/null; do
        for ready in "$2"/*.ready; do
            [ -f "$ready" ] || continue
            page=$(basename "$ready" .ready)
            import -display "$DISPLAY" -window root -crop "$(cat "$ready")" +repage "$2/$page.png"
            rm -f "$ready"
            : >"$2/$page.done"
        done
        sleep 0.05
    done
    status=0
    wait "$1" || status=$?
    rm -f "$2"/*.done
    return $status
}
