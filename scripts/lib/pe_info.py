#!/usr/bin/env python3
"""Prints what a Windows program's headers say about it, one 'key value' a line: machine (hex),
subsystem, timestamp, checksum, then what its hardening is read from:
  dll_characteristics NAME...   the optional header's flags (DYNAMIC_BASE, NX_COMPAT, NO_SEH...)
  relocations BYTES             the size of its base relocations (0: it cannot be moved)
  section NAME rwxs             each section: readable, writable, executable, shared (or -)
  imports_section NAME          the section that holds the import directory
  import DLL FUNCTION           each imported function (by ordinal: #N)
Exits 1 when the file is no PE program."""
import struct
import sys

DLL_CHARACTERISTICS = [
    (0x0020, "HIGH_ENTROPY_VA"), (0x0040, "DYNAMIC_BASE"), (0x0080, "FORCE_INTEGRITY"),
    (0x0100, "NX_COMPAT"), (0x0200, "NO_ISOLATION"), (0x0400, "NO_SEH"), (0x0800, "NO_BIND"),
    (0x1000, "APPCONTAINER"), (0x2000, "WDM_DRIVER"), (0x4000, "GUARD_CF"),
    (0x8000, "TERMINAL_SERVER_AWARE"),
]
# Section flags in the order printed: IMAGE_SCN_MEM_READ, _WRITE, _EXECUTE, _SHARED.
ACCESS = [(0x40000000, "r"), (0x80000000, "w"), (0x20000000, "x"), (0x10000000, "s")]


def sections(data, pe):
    count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    start = pe + 24 + optional_size
    for i in range(count):
        name, size, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, start + 40 * i)
        flags = struct.unpack_from("<I", data, start + 40 * i + 36)[0]
        yield name.rstrip(b"\0").decode("latin-1"), rva, max(size, raw_size), raw, flags


def imports(data, table, rva, wide):
    """(dll, function) for each import of the directory at `rva`; `table` maps an RVA to a
    file offset."""
    entry = table(rva)
    while True:
        lookup, _, _, name, first = struct.unpack_from("<IIIII", data, entry)
        if name == 0:
            return
        dll = text_at(data, table(name))
        thunk = table(lookup or first)
        size, ordinal_flag = (8, 1 << 63) if wide else (4, 1 << 31)
        while (value := int.from_bytes(data[thunk:thunk + size], "little")) != 0:
            by_ordinal = value & ordinal_flag
            yield dll, f"#{value & 0xFFFF}" if by_ordinal else text_at(data, table(value + 2))
            thunk += size
        entry += 20


def text_at(data, offset):
    return data[offset:data.index(b"\0", offset)].decode("latin-1")


def main(path):
    data = open(path, "rb").read()
    if data[:2] != b"MZ":
        sys.exit(f"{path}: no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        sys.exit(f"{path}: no PE header")
    machine, _, timestamp = struct.unpack_from("<HHI", data, pe + 4)
    optional = pe + 24
    checksum, subsystem, characteristics = struct.unpack_from("<IHH", data, optional + 64)
    print(f"machine {machine:04x}\nsubsystem {subsystem}\ntimestamp {timestamp}")
    print(f"checksum {checksum}")
    names = [name for bit, name in DLL_CHARACTERISTICS if characteristics & bit]
    print(" ".join(["dll_characteristics"] + names))

    wide = struct.unpack_from("<H", data, optional)[0] == 0x20B
    directories = optional + (112 if wide else 96)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    print(f"relocations {struct.unpack_from('<I', data, directories + 5 * 8 + 4)[0]}")
    layout = list(sections(data, pe))
    for name, rva, size, raw, flags in layout:
        print(f"section {name} " + "".join(c if flags & bit else "-" for bit, c in ACCESS))
        if rva <= import_rva < rva + size:
            print(f"imports_section {name}")

    def table(rva):
        return next(raw + rva - start
                    for _, start, size, raw, _ in layout if start <= rva < start + size)

    if import_rva:
        for dll, function in imports(data, table, import_rva, wide):
            print(f"import {dll} {function}")


if __name__ == "__main__":
    main(sys.argv[1])
