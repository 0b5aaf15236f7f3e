#!/usr/bin/env python3
"""Prints what a Windows program's headers say about it, one 'key value' a line: machine (hex),
subsystem, timestamp, checksum. Exits 1 when the file is no PE program."""
import struct
import sys


def main(path):
    data = open(path, "rb").read()
    if data[:2] != b"MZ":
        sys.exit(f"{path}: no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"{path}: no PE header")
    machine, _, timestamp = struct.unpack_from("<HHI", data, pe + 4)
    optional = pe + 24
    checksum, subsystem = struct.unpack_from("<IH", data, optional + 64)
    print(f"machine {machine:04x}\nsubsystem {subsystem}\ntimestamp {timestamp}\nchecksum {checksum}")


if __name__ == "__main__":
    main(sys.argv[1])
