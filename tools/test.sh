#!/bin/sh
# The whole test suite: installs what is missing, builds the presets, runs
# the native unit tests and the packager's tests, checks the shipped i686
# program and runs the Wine tests. Run from anywhere; exits non-zero on the
# first failure.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
. tests/wine/wine-choice.sh

# win32 before wine: the Wine tests run build/win32/vantrel.exe.
for preset in native win32 $wine_preset; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
# The fuzz targets, briefly: a smoke run; tools/fuzz.sh runs them longer.
tools/fuzz.sh 3
echo "build/win32/vantrel.exe: $(stat -c %s build/win32/vantrel.exe) bytes (at most 53248)"
if [ "$wine_preset" = wine64 ]; then
    echo "note: this kernel cannot run 32-bit programs, so the Wine tests ran the x86-64 build" \
         "($wine_installer) of the same source, not the i686 program that ships" >&2
fi
