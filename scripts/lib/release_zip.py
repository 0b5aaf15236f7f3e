#!/usr/bin/env python3
"""Writes the release package: the program, LEEME.txt, the licence when the project has one, and
SHA256SUMS of those, in that order. The same inputs give the same bytes: every entry has the
same fixed time and attributes, so the package does not depend on when or where it is made.

usage: release_zip.py OUT.zip VERSION datecalc.exe LEEME.txt.in [LICENCE]"""
import hashlib
import os
import sys
import zipfile

# The earliest time a zip entry can carry; any fixed time would do.
FIXED_TIME = (1980, 1, 1, 0, 0, 0)


def readme(template, version):
    # Windows-1252 with CRLF: what Notepad on a Spanish Windows shows as written.
    text = open(template, encoding="utf-8").read().replace("@VERSION@", version)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")


def entry(name):
    info = zipfile.ZipInfo(name, FIXED_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 3
    info.external_attr = 0o100644 << 16
    return info


def main(out, version, exe, template, licence=None):
    files = [("datecalc.exe", open(exe, "rb").read()), ("LEEME.txt", readme(template, version))]
    if licence:
        files.append(("LICENSE.txt", open(licence, "rb").read()))
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
    files.append(("SHA256SUMS", sums.encode("ascii")))
    partial = out + ".part"
    with zipfile.ZipFile(partial, "w") as package:
        for name, data in files:
            package.writestr(entry(name), data, compresslevel=9)
    os.replace(partial, out)


if __name__ == "__main__":
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__)
    main(*sys.argv[1:])
