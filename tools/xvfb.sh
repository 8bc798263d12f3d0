# Sourced by the scripts that photograph pages: an X server of their own.
# start_xvfb starts Xvfb (640x480, the size of Wine's virtual desktop) on the
# first display number that no X server holds, exports DISPLAY, sets xvfb to
# its process id, and returns once the server answers (1 if it never does).
start_xvfb() {
    display=90
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
        display=$((display + 1))
    done
    DISPLAY=":$display"
    export DISPLAY
    Xvfb "$DISPLAY" -screen 0 640x480x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb=$!
    # A Wine program that finds no X server at its start ends at once.
    tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || return 1
        sleep 0.1
    done
}
