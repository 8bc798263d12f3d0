#!/bin/sh
# Shows what any installer does, without Windows: runs it under Wine on a
# simulated Palm Desktop, presses the default button of every page (I Accept,
# Continue with the check boxes as they come and the first user, Close),
# saves a PNG of every page, and prints what was installed where, which
# HotSync flags were set, and the installer's exit code.
#
#   tools/try-installer.sh SETUP.EXE [--user NAME]... [--pages FOLDER]
#
#   --user NAME      a Palm user on the simulated PC, in the order Palm
#                    Desktop lists them (repeatable; by default two users,
#                    Alex Morgan and Sam Rivera)
#   --pages FOLDER   where the PNGs go (default: SETUP-pages beside SETUP.EXE)
#
# Exits with the installer's exit code, or 125 when it could not be tried.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/wine-route.sh"
# Every Wine run, its server and Xvfb included, sits where Wine can run here.
if [ -n "$wine_in" ] && [ -z "${VANTREL_I386_NAMESPACE:-}" ]; then
    exec "$wine_in" "$top/tools/try-installer.sh" "$@"
fi

say() { printf 'try-installer: %s\n' "$*"; }
die() { printf 'try-installer: %s\n' "$*" >&2; exit 125; }
usage() { die "usage: tools/try-installer.sh SETUP.EXE [--user NAME]... [--pages FOLDER]"; }

# Each argument leaves the list as it is read; the users' names are put back
# at its end, so that "$@" holds them alone afterwards.
setup= pages= expect=
for argument in "$@"; do
    shift
    case $expect in
    user) set -- "$@" "$argument"; expect=; continue ;;
    pages) pages=$argument; expect=; continue ;;
    esac
    case $argument in
    --user) expect=user ;;
    --user=*) set -- "$@" "${argument#--user=}" ;;
    --pages) expect=pages ;;
    --pages=*) pages=${argument#--pages=} ;;
    -*) usage ;;
    *) [ -z "$setup" ] || usage; setup=$argument ;;
    esac
done
[ -z "$expect" ] && [ -n "$setup" ] && [ -f "$setup" ] || usage
setup=$(cd "$(dirname "$setup")" && pwd)/$(basename "$setup")
[ -n "$pages" ] || pages=${setup%.*}-pages
mkdir -p "$pages"
pages=$(cd "$pages" && pwd)
rm -f "$pages"/*.png

# ---- The helper that drives the installer from inside Wine -------------------
logs=$(mktemp -d /tmp/vantrel-try.XXXXXX)
driver=$top/build/$wine_preset/vantrel_demo_driver.exe
{ [ -f "$top/build/$wine_preset/build.ninja" ] || cmake --preset "$wine_preset" -S "$top"; } >"$logs/build.log" 2>&1 &&
    cmake --build "$top/build/$wine_preset" --target vantrel_demo_driver >>"$logs/build.log" 2>&1 ||
    { tail -20 "$logs/build.log" >&2; die "building the Wine helper failed"; }

. "$top/tools/xvfb.sh"
. "$top/tools/wine-session.sh"

installer=$setup
if [ "$wine_installer" != build/win32/vantrel.exe ]; then
    # Wine runs no 32-bit program here: the same records go onto the x86-64
    # build of the installer program.
    pack=$top/build/native/vantrel-pack
    installer=$logs/records/$(basename "$setup")
    mkdir -p "$logs/records"
    cp "$top/$wine_installer" "$installer"
    "$pack" list "$setup" | awk '$1 ~ /^[0-9]+$/ && $2 ~ /^[0-9]+$/ && $3 !~ /\\/ { print $3 }' |
        while read -r name; do
            (cd "$logs/records" && "$pack" extract "$setup" "$name" -o "$name" && "$pack" append "$installer" "$name")
        done || die "the records of $(basename "$setup") cannot be moved onto the x86-64 build"
    say "this machine cannot run 32-bit programs: trying its records on the x86-64 build of vantrel.exe"
fi

start_wine_prefix || die "Wine could not make its prefix"
run_wine "$logs/prepare.log" 60 "$driver" prepare "$@" ||
    { cat "$logs/prepare.log" >&2; die "the simulated Palm Desktop could not be made"; }
photograph_pages || die "the pages cannot be photographed here"

say "$(basename "$setup") on a simulated Palm Desktop, pressing the default button of every page:"
run_wine "$logs/try.log" 600 "$driver" try "$(windows_path "$installer")" "$(windows_path "$pages")" &
answer_photographs $! "$pages" || { tr -d '\r' <"$logs/try.log" >&2; die "the installer could not be walked through"; }
tr -d '\r' <"$logs/try.log" | grep -v '^installer exit code'

run_wine "$logs/report.log" 60 "$driver" report "$@" || die "no report of the installation"
say "what the installer left for the Palm users (in the Wine prefix) and in the registry:"
tr -d '\r' <"$logs/report.log"
code=$(tr -d '\r' <"$logs/try.log" | sed -n 's/^installer exit code: //p')
rm -rf "$logs"
say "pages: $pages"
say "the installer's exit code: $code"
exit "$code"
