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
. tools/wine-session.sh

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
start_wine_prefix || die "Wine could not make its prefix"
run_wine "$logs/prepare.log" 60 "$driver" prepare ||
    { cat "$logs/prepare.log" >&2; die "the simulated Palm Desktop could not be made"; }

# ---- The wizard ------------------------------------------------------------
if [ "$auto" = no ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    use_x_driver || die "Wine cannot show pages here"
    say "the wizard is open on your display: click through it (the demo goes on when it ends)"
    # No time limit, and in the terminal's process group, so that Ctrl-C
    # reaches it as well.
    "$wine" "$installer" </dev/null >"$logs/wizard.log" 2>&1 || true
    shot_note=
else
    photograph_pages || die "the pages cannot be photographed here"
    say "clicking through the wizard under Xvfb and photographing each page"
    run_wine "$logs/wizard.log" 180 "$driver" walk "$(windows_path "$installer")" "$(windows_path "$shots")" &
    answer_photographs $! "$shots" || { tr -d '\r' <"$logs/wizard.log" >&2; die "the wizard could not be walked through"; }
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
