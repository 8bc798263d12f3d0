#!/bin/sh
# The whole test suite: installs what is missing, then builds and runs every
# part: the native unit tests and the packager's tests (ASan, UBSan), the
# check of the shipped programs as files, the Debian package installed and
# used, the Wine tests of the i686 program that ships (with a look at the
# demo installer's pages), and a short run of every fuzz target. A failing
# part does not stop the others. Ends with one line: how many passed and failed over all
# parts, and which program the Wine tests ran. Run from anywhere; exits
# non-zero when anything failed.
set -u
cd "$(dirname "$0")/.."
top=$(pwd)
tools/setup.sh || { echo "test: setup failed" >&2; exit 1; }
. tools/wine-route.sh

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
mkdir "$results/gtest"

# part PRESET [PREFIX...]: builds a preset and runs its tests, under PREFIX.
part() {
    preset=$1
    shift
    if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; then
        "$@" ctest --preset "$preset" --output-junit "$results/ctest-$preset.xml"
    else
        echo "test: building the $preset preset failed" >&2
        printf '<testsuite><testcase name="build-%s" status="fail"/></testsuite>\n' "$preset" \
            >"$results/ctest-$preset.xml"
    fi
}

GTEST_OUTPUT=xml:$results/gtest/ part native env
# win32 before the package and the Wine tests: they pack or run build/win32/vantrel.exe.
part win32 env
part release env
# Wine's programs see the Linux file system as drive Z:.
GTEST_OUTPUT=xml:Z:$results/gtest/ part "$wine_preset" $wine_in env

# The fuzz targets, briefly: a smoke run; tools/fuzz.sh runs them longer.
tools/fuzz.sh 3 >"$results/fuzz.log" 2>&1
cat "$results/fuzz.log"
{ grep -o ': [0-9]* s, .*no finding' "$results/fuzz.log" | sed 's/.*/pass/'
  grep -o ': FAILED' "$results/fuzz.log" | sed 's/.*/fail/'
  grep -q 'no finding\|FAILED' "$results/fuzz.log" || echo fail; } >"$results/fuzz.txt"

echo "build/win32/vantrel.exe: $(stat -c %s build/win32/vantrel.exe 2>/dev/null || echo no) bytes (at most 48640)"
tally=$(python3 tools/test-tally.py "$results")
status=$?
echo "test: $tally; the Wine tests ran $wine_route"
exit $status
