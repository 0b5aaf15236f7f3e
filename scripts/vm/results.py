#!/usr/bin/env python3
"""Reads what the VM left in its share, for scripts/vm/test32.

  results.py gtest REPORT.xml   one 'ok   NAME', 'FAIL NAME' or 'skip NAME' (disabled) line per
                                test, then 'P F';
                                a report of no test at all is one failure, and a report cut
                                short one failure and exit status 1
  results.py bitmap FILE        exit 0 when FILE is a whole 24-bit bitmap of a window:
                                a plausible size, the result band's background colour (the
                                empty band) and other colours
"""
import re
import struct
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def band_back():
    """The result band's background colour as a bitmap stores a pixel (blue, green, red), read
    from tests/support/calculator_ids.h, where the tests write it down."""
    ids = Path(__file__).resolve().parents[2] / "tests" / "support" / "calculator_ids.h"
    found = re.search(r"kBandBack\{([^}]*)\}", ids.read_text())
    if not found:
        sys.exit(f"no kBandBack in {ids}")
    red, green, blue = (int(value, 0) for value in found.group(1).split(","))
    return bytes((blue, green, red))


def gtest(path):
    passed = failed = 0
    try:
        cases = list(ET.parse(path).getroot().iter("testcase"))
    except ET.ParseError as error:
        print(f"FAIL start-up: the report is no whole report ({error})")
        print(0, 1)
        sys.exit(1)
    if not cases:
        # A filter that matches nothing leaves a report of no test, which would pass unseen.
        failed += 1
        print("FAIL start-up: the report holds no test: the filter matched none")
    for case in cases:
        name = f"{case.get('classname')}.{case.get('name')}"
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
            message = case.find("failure").get("message", "") if case.find("failure") is not None else ""
            print(f"FAIL start-up: {name}: {message.splitlines()[0] if message else ''}")
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            failed += 1  # every start-up test can run in the VM; a skip is a fault of the set-up
            print(f"FAIL start-up: {name}: skipped")
        elif case.get("status") == "notrun":
            print(f"skip start-up: {name}: disabled, so it did not run")
        else:
            passed += 1
            print(f"ok   start-up: {name}")
    print(passed, failed)


def bitmap(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM" or len(data) < 54:
        sys.exit("no bitmap header")
    size, offset = struct.unpack_from("<I", data, 2)[0], struct.unpack_from("<I", data, 10)[0]
    header, width, height, planes, bits = struct.unpack_from("<IiiHH", data, 14)
    if size != len(data):
        sys.exit(f"the header says {size} bytes, the file has {len(data)}")
    if (header, planes, bits) != (40, 1, 24):
        sys.exit(f"info header {header}, planes {planes}, {bits} bits per pixel")
    height = abs(height)
    if not (150 <= width <= 1280 and 100 <= height <= 1024):
        sys.exit(f"{width} x {height} is no size of the calculator's window")
    stride = (width * 3 + 3) // 4 * 4
    if offset + stride * height != len(data):
        sys.exit(f"{len(data) - offset} bytes of pixels for {width} x {height}")
    back = band_back()
    band = colours = 0
    seen = set()
    for row in range(height):
        line = data[offset + row * stride: offset + row * stride + width * 3]
        for x in range(0, width * 3, 3):
            pixel = line[x:x + 3]
            band += pixel == back
            seen.add(pixel)
    colours = len(seen)
    if band < width or colours < 4:
        sys.exit(f"{band} pixels of the band's colour, {colours} colours: not a picture of the window")
    print(f"{width} x {height}, {band} pixels of the band's colour, {colours} colours")


if __name__ == "__main__":
    {"gtest": gtest, "bitmap": bitmap}[sys.argv[1]](sys.argv[2])
