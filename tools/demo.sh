#!/bin/sh
# The Vantrel demo, from a clean clone: builds the programs, makes three
# sample Palm OS databases, packages them with an install script into a demo
# installer (with vantrel.exe's own -a), and runs it under Wine on a
# simulated Palm Desktop of two users. With a usable display the wizard
# opens for you to click through; without one, or with --auto, the demo
# clicks through it under Xvfb and photographs every page. Then it shows
# what was installed where and which HotSync flag was set.
#
#   tools/demo.sh [--auto] [--out FOLDER] [--win64 BUILD [--win32 BUILD]]
#
#   --auto          click through the wizard here, even with a display
#   --out FOLDER    where the installers and screenshots go (build/demo)
#   --win64 BUILD   use this x86-64 build as it is (vantrel.exe and
#                   vantrel_demo_driver.exe) instead of building build/win64
#   --win32 BUILD   with --win64: the i686 build whose vantrel.exe becomes
#                   the installer to ship; without it none is made
set -eu
cd "$(dirname "$0")/.."
. tools/xvfb.sh
source_folder=$(pwd)

auto=no
out=build/demo
win64=
win32=
while [ $# -gt 0 ]; do
    case "$1" in
    --auto) auto=yes ;;
    --out) out=$2; shift ;;
    --win64) win64=$2; shift ;;
    --win32) win32=$2; shift ;;
    *) echo "usage: $0 [--auto] [--out FOLDER] [--win64 BUILD [--win32 BUILD]]" >&2; exit 2 ;;
    esac
    shift
done

say() { printf 'demo: %s\n' "$*"; }
die() { printf 'demo: %s\n' "$*" >&2; exit 1; }

tools/setup.sh

mkdir -p "$out"
out=$(cd "$out" && pwd)
logs=$out/logs
package=$out/package
shots=$out/screenshots
rm -rf "$logs" "$package" "$shots"
mkdir -p "$logs" "$package" "$shots"

# ---- The programs ----------------------------------------------------------
if [ -z "$win64" ]; then
    say "building build/win64 and build/win32 (the first time takes a few minutes)"
    for preset in win64 win32; do
        [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" >>"$logs/build.log" 2>&1 ||
            { tail -20 "$logs/build.log" >&2; die "configuring $preset failed (log: $logs/build.log)"; }
    done
    { cmake --build build/win64 --target vantrel vantrel_demo_driver &&
      cmake --build build/win32 --target vantrel; } >>"$logs/build.log" 2>&1 ||
        { tail -20 "$logs/build.log" >&2; die "building failed (log: $logs/build.log)"; }
    win64=build/win64
    win32=build/win32
fi
win64=$(cd "$win64" && pwd)
[ -f "$win64/vantrel.exe" ] && [ -f "$win64/vantrel_demo_driver.exe" ] ||
    die "$win64 lacks vantrel.exe or vantrel_demo_driver.exe"

# ---- Wine ------------------------------------------------------------------
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d /tmp/vantrel-demo.XXXXXX)
export WINEPREFIX
xvfb=
cleanup() {
    tools/wine-prefix.sh stop "$WINEPREFIX"
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

driver=$win64/vantrel_demo_driver.exe
say "making a throwaway Wine prefix with a simulated Palm Desktop of two users"
tools/wine-prefix.sh start "$WINEPREFIX"
# Packaging looks for Palm Desktop's users too, so they come first.
run_wine "$logs/prepare.log" 60 "$driver" prepare ||
    { cat "$logs/prepare.log" >&2; die "the simulated Palm Desktop could not be made"; }

# ---- The installers ----------------------------------------------------------
python3 tools/make_sample_databases.py "$package"
# Install scripts travel with Windows line ends.
sed 's/$/\r/' tools/demo/Install.ini >"$package/Install.ini"
payload="VantrelDemoSettings.pdb VantrelDemoLib.prc VantrelDemoNotes.pdb Install.ini"

# Appends the payload to a copy of the program given, with the x86-64
# vantrel.exe's own -a (the records are the same for both builds), and
# checks that each record arrived: its data, its name and 15 bytes of
# record fields.
make_installer() {
    made=$2
    cp "$1" "$made"
    expected=$(stat -c %s "$made")
    for name in $payload; do
        (cd "$package" && run_wine "$logs/package.log" 60 "$win64/vantrel.exe" -q -a \
            "$(windows_path "$made")" "$name") || die "vantrel.exe -q -a $name did not end"
        expected=$((expected + $(stat -c %s "$package/$name") + ${#name} + 15))
    done
    [ "$(stat -c %s "$made")" -eq "$expected" ] ||
        die "$made is $(stat -c %s "$made") bytes, not $expected: the packaging failed"
}

installer=$out/Vantrel-Demo-Setup-x86_64.exe
say "packaging: vantrel.exe -q -a <installer> <file>, for 3 databases and Install.ini"
make_installer "$win64/vantrel.exe" "$installer"
shipped=
if [ -n "$win32" ] && [ -f "$win32/vantrel.exe" ]; then
    shipped=$out/Vantrel-Demo-Setup.exe
    make_installer "$win32/vantrel.exe" "$shipped"
fi

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
    tools/wine-prefix.sh stop "$WINEPREFIX"
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
    tools/wine-prefix.sh stop "$WINEPREFIX"
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
fi
say "the installer run here (x86-64): $(relative "$installer")"
if [ -n "$shipped" ]; then
    say "the installer to ship (i686, Windows XP and later): $(relative "$shipped")"
fi
say "what is in them: tools/demo/Install.ini and the databases in $(relative "$package")"
