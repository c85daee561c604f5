"""Counts test cases over the GoogleTest reports of each build folder given.

A test program that ctest saw fail without any failed case in its report
(a crash, a time-out, a missing report) counts as one failed case.
Prints "N passed, N failed" and exits 1 when anything failed.
"""
import glob
import os
import sys
import xml.etree.ElementTree as ET

passed = failed = 0
for build in sys.argv[1:]:
    reported_failures = {}
    for path in glob.glob(os.path.join(build, "bin", "results", "*.xml")):
        name = os.path.splitext(os.path.basename(path))[0]
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError:
            reported_failures[name] = 0
            continue
        bad = 0
        for case in root.iter("testcase"):
            if case.get("result") == "skipped" or case.get("status") == "notrun":
                continue
            if case.find("failure") is not None or case.find("error") is not None:
                bad += 1
            else:
                passed += 1
        failed += bad
        reported_failures[name] = bad
    junit = os.path.join(build, "ctest.xml")
    if os.path.exists(junit):
        for case in ET.parse(junit).getroot().iter("testcase"):
            if case.get("status") == "fail" and reported_failures.get(case.get("name"), 0) == 0:
                failed += 1

# Checks outside GoogleTest (the bounded fuzz run) add their failures here.
failed += int(os.environ.get("DV_EXTRA_FAILED", "0") or 0)

print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
