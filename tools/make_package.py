#!/usr/bin/env python3
"""Packs the Windows programs for users: a zip holding one folder
toridasu-VERSION-win32 with toridasu.exe, toridasu-cli.exe, readme.txt
(Japanese, Shift-JIS, CR LF: what Notepad on their machines expects),
LICENSE.txt (CR LF) and, when it is given, the page toridasu.html (the
converter in the browser, for machines where no program may run). Every entry has ordinary modes (programs 0755, texts
0644) and one fixed time stamp, so that two builds of the same version give
the same zip bytes.

Usage: make_package.py VERSION OUT_DIR GUI_EXE CLI_EXE README_SOURCE LICENSE [PAGE]
"""
import os
import sys
import zipfile


# The entries' time stamp: a fixed date rather than the build's clock.
STAMP = (2026, 1, 1, 0, 0, 0)
PROGRAM_MODE = 0o755
TEXT_MODE = 0o644


def add(z, name, data, mode):
    entry = zipfile.ZipInfo(name, STAMP)
    entry.create_system = 3  # the modes below are Unix modes
    entry.external_attr = (0o100000 | mode) << 16
    entry.compress_type = zipfile.ZIP_DEFLATED
    z.writestr(entry, data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def main():
    version, out_dir, gui, cli, readme, licence = sys.argv[1:7]
    page = sys.argv[7] if len(sys.argv) > 7 else None
    name = f"toridasu-{version}-win32"
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, name + ".zip")
    with open(readme, encoding="utf-8") as f:
        readme_text = crlf(f.read().replace("@VERSION@", version)).encode("cp932")
    with open(licence, encoding="utf-8") as f:
        licence_text = crlf(f.read()).encode("ascii")
    with zipfile.ZipFile(path + ".part", "w", zipfile.ZIP_DEFLATED) as z:
        add(z, f"{name}/toridasu.exe", read(gui), PROGRAM_MODE)
        add(z, f"{name}/toridasu-cli.exe", read(cli), PROGRAM_MODE)
        add(z, f"{name}/readme.txt", readme_text, TEXT_MODE)
        add(z, f"{name}/LICENSE.txt", licence_text, TEXT_MODE)
        if page:
            add(z, f"{name}/toridasu.html", read(page), TEXT_MODE)
    os.replace(path + ".part", path)
    print(path)


if __name__ == "__main__":
    main()
