#!/bin/sh
# The Vantrel demo, from a clean clone: builds the shipped i686 vantrel.exe
# (win32 preset), vantrel-pack (native preset) and the demo's Windows helper,
# makes three sample Palm OS databases, packages them with an install script
# into a demo installer with vantrel-pack build, and runs it under Wine on a
# simulated Palm Desktop of two users. With a usable display the wizard
# opens for you to click through; without one, or with --auto, the demo
# clicks through it under Xvfb and photographs every page (and copies them to
# docs/screenshots when they changed). Then it shows what was installed
# where and which HotSync flag was set.
#
#   tools/demo.sh [--auto] [--out FOLDER]
#
#   --auto          click through the wizard here, even with a display
#   --out FOLDER    where the installer and screenshots go (build/demo)
set -eu
cd "$(dirname "$0")/.."
. tools/xvfb.sh
source_folder=$(pwd)
[ -n "${VANTREL_I386_NAMESPACE:-}" ] || tools/setup.sh
top=$source_folder
. tools/wine-route.sh
# Every Wine run of the demo, its server and Xvfb included, sits where Wine can
# run here (see tools/wine-route.sh).
if [ -n "$wine_in" ] && [ -z "${VANTREL_I386_NAMESPACE:-}" ]; then
    exec "$wine_in" "$source_folder/tools/demo.sh" "$@"
fi

auto=no
out=build/demo
while [ $# -gt 0 ]; do
    case "$1" in
    --auto) auto=yes ;;
    --out) out=$2; shift ;;
    *) echo "usage: $0 [--auto] [--out FOLDER]" >&2; exit 2 ;;
    esac
    shift
done

say() { printf 'demo: %s\n' "$*"; }
die() { printf 'demo: %s\n' "$*" >&2; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
logs=$out/logs
package=$out/package
shots=$out/screenshots
rm -rf "$logs" "$package" "$shots"
mkdir -p "$logs" "$package" "$shots"

# ---- The programs ----------------------------------------------------------
say "building build/native, build/win32 and build/$wine_preset (the first time takes a few minutes)"
for preset in native win32 $wine_preset; do
    { [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset"; } >>"$logs/build.log" 2>&1 ||
        { tail -20 "$logs/build.log" >&2; die "configuring $preset failed (log: $logs/build.log)"; }
done
{ cmake --build build/native --target vantrel-pack &&
  cmake --build build/win32 --target vantrel &&
  cmake --build "build/$wine_preset" --target vantrel_demo_driver "$(basename "$wine_installer" .exe)"; } \
    >>"$logs/build.log" 2>&1 || { tail -20 "$logs/build.log" >&2; die "building failed (log: $logs/build.log)"; }
pack=$source_folder/build/native/vantrel-pack
driver=$source_folder/build/$wine_preset/vantrel_demo_driver.exe

# ---- Wine ------------------------------------------------------------------
export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/vantrel-demo.XXXXXX)
export WINEPREFIX
xvfb=
cleanup() {
    tests/wine/wine-prefix.sh stop "$WINEPREFIX"
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

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

# ---- The installer -----------------------------------------------------------
python3 tools/make_sample_databases.py "$package"
# Install scripts travel with Windows line ends.
sed 's/$/\r/' tools/demo/Install.ini >"$package/Install.ini"
databases="VantrelDemoSettings.pdb VantrelDemoLib.prc VantrelDemoNotes.pdb"

shipped=$out/Vantrel-Demo-Setup.exe
say "packaging: vantrel-pack build -o $(basename "$shipped") --stub build/win32/vantrel.exe $databases"
# shellcheck disable=SC2086
(cd "$package" && "$pack" build -o "$shipped" --stub "$source_folder/build/win32/vantrel.exe" $databases) ||
    die "vantrel-pack could not build the installer"
"$pack" list "$shipped"
installer=$shipped
if [ "$wine_installer" != build/win32/vantrel.exe ]; then
    # This kernel cannot run 32-bit programs: Wine runs the x86-64 build.
    installer=$out/Vantrel-Demo-Setup-x86-64.exe
    say "this machine cannot run 32-bit programs: the walk runs $(basename "$installer"), the same package on the x86-64 build"
    # shellcheck disable=SC2086
    (cd "$package" && "$pack" build -o "$installer" --stub "$source_folder/$wine_installer" $databases) ||
        die "vantrel-pack could not build the x86-64 installer"
fi

say "making a throwaway Wine prefix with a simulated Palm Desktop of two users"
tests/wine/wine-prefix.sh start "$WINEPREFIX" || die "Wine could not make its prefix"
run_wine "$logs/prepare.log" 60 "$driver" prepare ||
    { cat "$logs/prepare.log" >&2; die "the simulated Palm Desktop could not be made"; }

# ---- The wizard ------------------------------------------------------------
set_wine_value() {
    run_wine "$logs/registry.log" 60 reg add "$1" /v "$2" /d "$3" /f ||
        die "cannot set $1\\$2 in the Wine prefix"
}
# The prefix was made for windowless work; the wizard needs the X driver,
# which Wine's processes take up only when they start afresh.
set_wine_value 'HKCU\Software\Wine\Drivers' Graphics x11
# Without its own TrueType fonts Wine draws the caption's buttons as letters.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

if [ "$auto" = no ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    tests/wine/wine-prefix.sh stop "$WINEPREFIX"
    say "the wizard is open on your display: click through it (the demo goes on when it ends)"
    # No time limit, and in the terminal's process group, so that Ctrl-C
    # reaches it as well.
    "$wine" "$installer" </dev/null >"$logs/wizard.log" 2>&1 || true
    shot_note=
else
    # No window manager under Xvfb: Wine's virtual desktop, exactly the
    # size of the screen, draws the captions and frames.
    set_wine_value 'HKCU\Software\Wine\Explorer' Desktop Default
    set_wine_value 'HKCU\Software\Wine\Explorer\Desktops' Default 640x480
    tests/wine/wine-prefix.sh stop "$WINEPREFIX"
    start_xvfb || die "Xvfb did not start on $DISPLAY"
    say "clicking through the wizard under Xvfb and photographing each page"
    run_wine "$logs/wizard.log" 180 "$driver" walk "$(windows_path "$installer")" "$(windows_path "$shots")" &
    walk=$!
    # Answers each page's request for a photograph (see wizard_walk.cpp).
    while kill -0 "$walk" 2>/dev/null; do
        for ready in "$shots"/*.ready; do
            [ -f "$ready" ] || continue
            page=$(basename "$ready" .ready)
            import -display "$DISPLAY" -window root -crop "$(cat "$ready")" +repage "$shots/$page.png"
            rm -f "$ready"
            : >"$shots/$page.done"
        done
        sleep 0.05
    done
    wait "$walk" || { tr -d '\r' <"$logs/wizard.log" >&2; die "the wizard could not be walked through"; }
    rm -f "$shots"/*.done
    shot_note=yes
fi

# ---- What happened -----------------------------------------------------------
run_wine "$logs/report.log" 60 "$driver" report || die "no report of the installation"
say "what the installer left for the two Palm users (in the Wine prefix) and in the registry:"
tr -d '\r' <"$logs/report.log"
echo
relative() { printf '%s' "${1#"$source_folder/"}"; }
if [ -n "$shot_note" ]; then
    say "screenshots of every page: $(relative "$shots")/{splash,license,files,user,progress,completion,readme}.png"
    # Pixels, not bytes: every PNG carries the time it was taken.
    for shot in "$shots"/*.png; do
        kept=docs/screenshots/${shot##*/}
        compare -metric AE "$shot" "$kept" null: >/dev/null 2>&1 || { cp "$shot" "$kept" && say "updated $kept"; }
    done
fi
say "the installer (i686, Windows XP and later): $(relative "$shipped")"
say "what is in it: tools/demo/Install.ini and the databases in $(relative "$package")"
