#!/bin/sh
# tools/try-installer.sh on the demo installer: the default button on every
# page installs the checked files for the first user alone, flags that user,
# photographs each page, and ends with the installer's exit code 0.
#   try-installer-test.sh <vantrel-pack> <vantrel.exe>
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
python3 "$top/tools/make_sample_databases.py" .
sed 's/$/\r/' "$top/tools/demo/Install.ini" >Install.ini
"$1" build -q -o Demo.exe --stub "$2" VantrelDemoSettings.pdb VantrelDemoLib.prc VantrelDemoNotes.pdb
"$top/tools/try-installer.sh" Demo.exe --pages shots >out.txt 2>&1 || { cat out.txt; exit 1; }
cat out.txt
expect() { grep -q "$1" out.txt || { echo "missing: $1"; exit 1; }; }
expect 'License Agreement .* pressed I Accept'
expect 'Installation Complete .* pressed Close'
expect "the installer's exit code: 0"
# The demo checks the library and leaves the notes unchecked; the user page
# offers Alex Morgan first.
sed -n '/^Alex Morgan:/,/^Sam Rivera:/p' out.txt >alex.txt
grep -c 'Vantrel_Demo_Library.prc\|Vantrel_Demo_Settings.pdb' alex.txt | grep -qx 4
! grep -q Notes alex.txt
[ "$(sed -n '/^Sam Rivera:/,/^HotSync/p' out.txt | grep -c bytes)" -eq 0 ]
expect 'Install1 = 1'
expect 'Install2 not set'
for page in 01-splash 02-license 03-files 04-user 05-progress 06-completion; do
    [ "$(identify -format %w shots/$page.png)" -gt 300 ]
done
echo "try_installer: passed"
