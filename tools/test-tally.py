#!/usr/bin/env python3
"""Counts what the test command ran: every GoogleTest case from the XML the
test programs wrote, every other CTest test from CTest's JUnit files, and the
fuzz targets from their result lines. Prints 'N passed, M failed'.

    test-tally.py RESULTS_FOLDER

A test program that ended before writing its XML (a crash, a hang, a Wine
that could not start it) counts as one failure of its own."""
import pathlib
import sys
import xml.etree.ElementTree as ET

folder = pathlib.Path(sys.argv[1])
passed = failed = 0

cases = {}
for path in folder.glob("gtest/*.xml"):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError:
        continue
    total = int(root.get("tests", 0)) - int(root.get("disabled", 0))
    bad = int(root.get("failures", 0)) + int(root.get("errors", 0))
    cases[path.stem] = (total - bad, bad)

for path in sorted(folder.glob("ctest-*.xml")):
    for case in ET.parse(path).getroot().iter("testcase"):
        name = case.get("name", "")
        ok = case.get("status") == "run" and case.find("failure") is None
        program = next((p for p in (name, "vantrel_" + name) if p in cases), None)
        if program is None:
            passed, failed = passed + ok, failed + (not ok)
            continue
        good, bad = cases.pop(program)
        passed, failed = passed + good, failed + bad + (not ok and bad == 0)

fuzz = folder / "fuzz.txt"
if fuzz.exists():
    for line in fuzz.read_text().split():
        passed, failed = passed + (line == "pass"), failed + (line == "fail")

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed or not passed else 0)
