#!/bin/sh
# Takes a screenshot of each of the seven pages, as the page host shows them
# with sample content, into docs/screenshots/<page>.png. Runs under Xvfb with
# Wine's virtual desktop (which draws the caption and frame) in a throwaway
# Wine prefix; needs the win64 build.
#   screenshots.sh [win64 build folder]      (default: build/win64)
set -eu
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/win64}" && pwd)
host="$build/page_host.exe"
[ -f "$host" ] || { echo "screenshots: $host not built (cmake --build --preset win64)" >&2; exit 1; }
out=docs/screenshots
mkdir -p "$out"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/vantrel-shots.XXXXXX)
export WINEPREFIX

# The screen is exactly the virtual desktop, so the root window is the shot.
. tools/xvfb.sh
xvfb=
cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
start_xvfb || { echo "screenshots: Xvfb did not start" >&2; exit 1; }

# Wine's background processes must not hold this script's output open.
"$wine" wineboot -i </dev/null >/dev/null 2>&1
"$wineserver" -w
# This Wine does not look for its own TrueType fonts; without Marlett the
# caption's close box shows a letter.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

for page in splash license files user progress completion readme; do
    timeout 60 "$wine" explorer /desktop=shots,640x480 "$host" "$page" </dev/null >/dev/null 2>&1 &
    run=$!
    # Time to start, draw the page and let the splash picture load.
    sleep 6
    import -display "$DISPLAY" -window root "$out/$page.png"
    kill "$run" 2>/dev/null || true
    "$wineserver" -k >/dev/null 2>&1 || true
    wait "$run" 2>/dev/null || true
    echo "screenshots: $out/$page.png"
done
