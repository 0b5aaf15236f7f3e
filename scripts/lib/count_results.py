#!/usr/bin/env python3
"""Adds up test results: ctest's JUnit report, each test program's GoogleTest XML beside it,
and 'N passed, M failed' lines that script tests leave in *.count files (with, beside a failed
one, a NAME.reason file saying in one line why it failed, and beside one that skipped, NAME.skips
saying what and why).

Prints 'PASSED FAILED SKIPPED' for one results folder; with --by-stage, a line for each stage
instead (a Wine stage's names begin with the Wine's version, so a failure says which Wine it
came from), a failed one with its reason when it has one, one that skipped with what it skipped.

A report that says nothing is a failure, never a pass of nothing: a ctest report of no test, a
test program's report of no case, a report cut short, a test program that left no report."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

# The only ctest skips that are not failures: a test that said it could not run here. A test
# ctest could not start (its program or a required file missing) is "Not Run", a failure.
CTEST_SKIP_MESSAGES = ("SKIP_RETURN_CODE", "SKIP_REGULAR_EXPRESSION")


def gtest_counts(path):
    """(passed, failed, skipped, reason, skips) of one test program's report."""
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as error:
        return 0, 1, 0, f"{os.path.basename(path)} is no whole report ({error})", []
    tests = failures = 0
    skips = []
    for case in root.iter("testcase"):
        tests += 1
        skip = case.find("skipped")
        if case.find("failure") is not None or case.find("error") is not None:
            failures += 1
        elif case.get("status") == "notrun" or case.get("result") == "skipped" or skip is not None:
            why = skip.get("message", "").splitlines()[-1:] if skip is not None else ["disabled"]
            skips.append(f"{case.get('classname')}.{case.get('name')} ({''.join(why) or 'no reason given'})")
    if tests == 0:
        return 0, 1, 0, f"{os.path.basename(path)} holds no test case", []
    return tests - failures - len(skips), failures, len(skips), "", skips


def ctest_case_outcome(case):
    """'passed', 'failed' or 'skipped' for a ctest case with no report of its own, and why."""
    name = case.get("name")
    status = case.get("status", "run")
    if case.find("failure") is not None or case.find("error") is not None or status == "fail":
        return "failed", f"{name} failed"
    if status == "disabled":
        return "skipped", ""
    skip = case.find("skipped")
    if status == "notrun" or skip is not None:
        message = skip.get("message", "") if skip is not None else ""
        if message.startswith(CTEST_SKIP_MESSAGES):
            return "skipped", ""
        return "failed", f"{name} did not run: {message or 'Not Run'}"
    return "passed", ""


def ctest_counts(junit, xml_dir):
    passed = failed = skipped = 0
    reasons, skips = [], []
    try:
        cases = list(ET.parse(junit).getroot().iter("testcase"))
    except ET.ParseError as error:
        return 0, 1, 0, f"ctest's report is no whole report ({error})", []
    if not cases:
        return 0, 1, 0, "ctest found no test", []
    for case in cases:
        own = os.path.join(xml_dir, case.get("name") + ".xml")
        outcome, why = ctest_case_outcome(case)
        if os.path.exists(own):
            p, f, s, why_own, skips_own = gtest_counts(own)
            if outcome == "failed" and f == 0:
                f = 1  # the program failed after its tests passed (crash at exit, leak report)
            why = why_own or why
            passed, failed, skipped = passed + p, failed + f, skipped + s
            skips += skips_own
        elif outcome == "skipped":
            skipped += 1
            skips.append(f"{case.get('name')} (ctest: it could not run here)")
        else:
            # Every ctest case is a test program that writes its report last: without one, its
            # later cases never ran, whatever its exit code says.
            failed += 1
            if outcome == "passed":
                early = os.path.exists(os.path.join(xml_dir, case.get("name") + ".premature-exit"))
                why = f"{case.get('name')} " + ("ended before its last case" if early else "left no report")
                why += " (exit code 0)"
        if why:
            reasons.append(why)
    return passed, failed, skipped, "; ".join(reasons), skips


def beside(path, suffix):
    """The one-line text of the file beside a *.count with SUFFIX instead, or ''."""
    other = path[: -len(".count")] + suffix
    if not os.path.exists(other):
        return ""
    with open(other) as fh:
        return " ".join(fh.read().split())


def count_file(path):
    with open(path) as fh:
        fields = fh.read().split()
    try:
        p, f, s = (int(x) for x in fields)
    except ValueError:
        return 0, 1, 0, f"its count is unreadable: {' '.join(fields)!r}", []
    skips = beside(path, ".skips")
    return p, f, s, beside(path, ".reason"), [skips] if skips else []


def stage_counts(results):
    """(name, (passed, failed, skipped, reason, skips)) for each ctest folder and *.count file."""
    for junit in glob.glob(os.path.join(results, "*", "ctest.xml")):
        folder = os.path.dirname(junit)
        yield os.path.basename(folder), ctest_counts(junit, folder)
    for count in glob.glob(os.path.join(results, "*.count")):
        yield os.path.basename(count)[: -len(".count")], count_file(count)


def main(args):
    stages = sorted(stage_counts(args[-1]))
    if args[0] == "--by-stage":
        width = max((len(name) for name, _ in stages), default=0)
        for name, (p, f, s, reason, skips) in stages:
            mark = "FAILED " if f else "       "
            counts = f"{p} passed, {f} failed" + (f", {s} skipped" if s else "")
            why = ([reason] if f and reason else []) + (["skipped " + "; ".join(skips)] if s and skips else [])
            print(f"{mark}{name:<{width}}  {counts}" + (": " + "; ".join(why) if why else ""))
        return
    totals = [sum(counts[i] for _, counts in stages) for i in range(3)]
    print(*totals)


if __name__ == "__main__":
    main(sys.argv[1:])
