#!/usr/bin/env python3
"""Adds up test results: ctest's JUnit report, each test program's GoogleTest XML beside it,
and 'N passed, M failed' lines that script tests leave in *.count files.

Prints 'PASSED FAILED SKIPPED' for one results folder; with --by-stage, a line for each stage
instead (a Wine stage's names begin with the Wine's version, so a failure says which Wine it
came from)."""
import glob
import os
import sys
import xml.etree.ElementTree as ET


def gtest_counts(path):
    root = ET.parse(path).getroot()
    tests = failures = skipped = 0
    for case in root.iter("testcase"):
        tests += 1
        if case.find("failure") is not None or case.find("error") is not None:
            failures += 1
        elif case.get("status") == "notrun" or case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
    return tests - failures - skipped, failures, skipped


def ctest_counts(junit, xml_dir):
    passed = failed = skipped = 0
    for case in ET.parse(junit).getroot().iter("testcase"):
        name = case.get("name")
        status = case.get("status", "run")
        ok = case.find("failure") is None and case.find("error") is None and status != "fail"
        own = os.path.join(xml_dir, name + ".xml")
        if os.path.exists(own):
            p, f, s = gtest_counts(own)
            if not ok and f == 0:
                f = 1  # the program failed after its tests passed (crash at exit, leak report)
            passed, failed, skipped = passed + p, failed + f, skipped + s
        elif case.find("skipped") is not None or status == "disabled":
            skipped += 1
        elif ok:
            passed += 1
        else:
            failed += 1
    return passed, failed, skipped


def stage_counts(results):
    """(name, (passed, failed, skipped)) for each ctest folder and each *.count file."""
    for junit in glob.glob(os.path.join(results, "*", "ctest.xml")):
        folder = os.path.dirname(junit)
        yield os.path.basename(folder), ctest_counts(junit, folder)
    for count in glob.glob(os.path.join(results, "*.count")):
        with open(count) as fh:
            yield os.path.basename(count)[: -len(".count")], tuple(int(x) for x in fh.read().split())


def main(args):
    stages = sorted(stage_counts(args[-1]))
    if args[0] == "--by-stage":
        width = max((len(name) for name, _ in stages), default=0)
        for name, (p, f, s) in stages:
            mark = "FAILED " if f else "       "
            print(f"{mark}{name:<{width}}  {p} passed, {f} failed" + (f", {s} skipped" if s else ""))
        return
    totals = [sum(counts[i] for _, counts in stages) for i in range(3)]
    print(*totals)


if __name__ == "__main__":
    main(sys.argv[1:])
