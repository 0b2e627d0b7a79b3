#!/usr/bin/env python3
"""Checks the zip's entries: ordinary Unix modes (programs 0755, other files
0644) and one fixed time stamp, so that the bytes depend on what is packed,
not on who built it or when.

Usage: package_entries_check.py ZIP
"""
import sys
import zipfile

STAMP = (2026, 1, 1, 0, 0, 0)


def main(path):
    faults = []
    with zipfile.ZipFile(path) as z:
        for entry in z.infolist():
            mode = entry.external_attr >> 16
            want = 0o100755 if entry.filename.endswith(".exe") else 0o100644
            if entry.create_system != 3 or mode != want:
                faults.append(f"{entry.filename}: mode {mode:o}, expected {want:o}")
            if entry.date_time != STAMP:
                faults.append(f"{entry.filename}: time stamp {entry.date_time}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
