#!/bin/sh
# The whole test suite: installs what is missing, builds the three presets,
# runs the native unit tests, checks the shipped program and runs the Wine
# tests. Run from anywhere; exits non-zero on the first failure.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh

for preset in native win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

ctest --preset native
ctest --preset win32
echo "build/win32/vantrel.exe: $(stat -c %s build/win32/vantrel.exe) bytes (at most 80384)"
ctest --preset win64
