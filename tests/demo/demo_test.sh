#!/bin/sh
# Runs the demo unattended on an x86-64 build and checks what it promises:
# a photograph of each of the seven pages, the three databases under their
# header names in the chosen user's install and backup folders (and none
# for the other user), and that user's HotSync flag alone set.
#   demo_test.sh <win64 build folder>
set -u
build=$1
source_folder=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/vantrel-demo-test.XXXXXX)
trap 'rm -rf "$out"' EXIT

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# The x86-64 program stands in for the i686 one, which is not built here:
# the demo then also makes the installer to ship, as it does by default.
if ! "$source_folder/tools/demo.sh" --auto --win64 "$build" --win32 "$build" --out "$out" \
    >"$out/output.txt" 2>&1; then
    cat "$out/output.txt"
    echo "FAILED: the demo did not finish"
    exit 1
fi
cat "$out/output.txt"

for page in splash license files user progress completion readme; do
    shot=$out/screenshots/$page.png
    # A page photographed blank has a colour or two; a drawn one dozens.
    colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
    [ "$colours" -ge 8 ] || fail "$page.png is missing or blank ($colours colours)"
done

# Each installed name once under the install folder, once under backup,
# with the size of its source database.
report=$(tr -d '\r' <"$out/logs/report.log")
for pair in VantrelDemoSettings.pdb:Vantrel_Demo_Settings.pdb VantrelDemoLib.prc:Vantrel_Demo_Library.prc \
            VantrelDemoNotes.pdb:Vantrel_Demo__Notes_2.pdb; do
    source=${pair%%:*}
    installed=${pair#*:}
    size=$(stat -c %s "$out/package/$source")
    count=$(printf '%s\n' "$report" | grep -cE "^ +$installed +$size bytes$")
    [ "$count" -eq 2 ] || fail "$installed ($size bytes) listed $count times, not twice"
done
expected_sam="Sam Rivera:
  C:\\Program Files\\Palm\\RiveraS\\Install"
expected_alex="Alex Morgan:
  C:\\Program Files\\Palm\\MorganA\\Install   (empty)
  C:\\Program Files\\Palm\\MorganA\\backup   (empty)"
case "$report" in *"$expected_alex"*) ;; *) fail "Alex Morgan got files" ;; esac
case "$report" in *"$expected_sam"*) ;; *) fail "Sam Rivera's install folder is not listed" ;; esac
printf '%s\n' "$report" | grep -qE '^  Install2 += 1 \(REG_DWORD\) +Sam Rivera$' || fail "Install2 is not 1"
printf '%s\n' "$report" | grep -qE '^  Install1 +not set +Alex Morgan$' || fail "Install1 is set"

for installer in Vantrel-Demo-Setup-x86_64.exe Vantrel-Demo-Setup.exe; do
    grep -q "$installer" "$out/output.txt" || fail "the demo does not say where $installer is"
done

[ "$failures" -eq 0 ] || exit 1
echo "PASSED: the demo"
