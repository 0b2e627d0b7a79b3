#!/usr/bin/env python3
"""Checks that shipped programs carry the hardening of a release build.

Windows programs: ASLR and DEP (DYNAMIC_BASE and NX_COMPAT in the optional
header's DllCharacteristics). Linux programs: full RELRO and BIND_NOW, and
stack-protector code, and the checked buffer calls of _FORTIFY_SOURCE.
"""
import re
import struct
import subprocess
import sys

DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100


def pe_faults(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return ["not a PE file"]
    optional = pe + 24
    characteristics = struct.unpack_from("<H", data, optional + 70)[0]
    faults = []
    if not characteristics & DYNAMIC_BASE:
        faults.append("no DYNAMIC_BASE (ASLR)")
    if not characteristics & NX_COMPAT:
        faults.append("no NX_COMPAT (DEP)")
    return faults


def elf_faults(path):
    def readelf(*options):
        return subprocess.run(["readelf", "-W", *options, path], check=True,
                              capture_output=True, text=True).stdout
    faults = []
    if "GNU_RELRO" not in readelf("-l"):
        faults.append("no RELRO")
    dynamic = readelf("-d")
    if "BIND_NOW" not in dynamic and "Flags: NOW" not in dynamic:
        faults.append("no BIND_NOW")
    symbols = readelf("--dyn-syms")
    if "__stack_chk_fail" not in symbols:
        faults.append("no stack protector")
    if not re.search(r"__(?!stack_)\w+_chk\b", symbols):
        faults.append("no checked buffer calls (_FORTIFY_SOURCE)")
    return faults


def main(paths):
    failed = False
    for path in paths:
        with open(path, "rb") as f:
            data = f.read()
        faults = pe_faults(data) if data[:2] == b"MZ" else elf_faults(path)
        for fault in faults:
            print(f"{path}: {fault}")
        failed |= bool(faults)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
