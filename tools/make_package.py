#!/usr/bin/env python3
"""Packs the Windows programs for users: a zip holding one folder
toridasu-VERSION-win32 with toridasu.exe, toridasu-cli.exe, readme.txt
(Japanese, Shift-JIS, CR LF: what Notepad on their machines expects) and
LICENSE.txt (CR LF).

Usage: make_package.py VERSION OUT_DIR GUI_EXE CLI_EXE README_SOURCE LICENSE
"""
import os
import sys
import zipfile


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def main():
    version, out_dir, gui, cli, readme, licence = sys.argv[1:7]
    name = f"toridasu-{version}-win32"
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, name + ".zip")
    with open(readme, encoding="utf-8") as f:
        readme_text = crlf(f.read().replace("@VERSION@", version)).encode("cp932")
    with open(licence, encoding="utf-8") as f:
        licence_text = crlf(f.read()).encode("ascii")
    with zipfile.ZipFile(path + ".part", "w", zipfile.ZIP_DEFLATED) as z:
        z.write(gui, f"{name}/toridasu.exe")
        z.write(cli, f"{name}/toridasu-cli.exe")
        z.writestr(f"{name}/readme.txt", readme_text)
        z.writestr(f"{name}/LICENSE.txt", licence_text)
    os.replace(path + ".part", path)
    print(path)


if __name__ == "__main__":
    main()
