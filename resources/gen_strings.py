#!/usr/bin/env python3
"""Turns resources/strings.tsv (UTF-8) into the program's two forms of it:
a C++ table of Shift-JIS bytes for the portable core, and a Windows
string-table resource (UTF-8 source, code page 65001) for the programs.

Usage: gen_strings.py strings.tsv OUT.inc OUT.rc
A text that code page 932 cannot hold stops the build.
"""
import sys


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != 3:
                sys.exit(f"{path}:{number}: expected id, name and text separated by tabs")
            ident, name, text = parts
            text = text.replace("\\n", "\n")
            rows.append((int(ident), name, text))
    ids = [r[0] for r in rows]
    if len(set(ids)) != len(ids):
        sys.exit(f"{path}: an id stands twice")
    return sorted(rows)


def c_bytes(data):
    return "".join(f"\\x{b:02X}" for b in data)


def rc_text(text):
    out = text.replace("\\", "\\\\").replace('"', '""').replace("\n", "\\n")
    return out


def main():
    source, inc_path, rc_path = sys.argv[1:4]
    rows = read_table(source)
    with open(inc_path, "w", encoding="ascii", newline="\n") as inc:
        inc.write("// Generated from resources/strings.tsv; do not edit.\n")
        for ident, name, text in rows:
            try:
                data = text.encode("cp932")
            except UnicodeEncodeError as e:
                sys.exit(f"{source}: text {ident} has a character outside code page 932: {e}")
            inc.write(f'{{{ident}u, std::string_view("{c_bytes(data)}", {len(data)})}},  // {name}\n')
    with open(rc_path, "w", encoding="utf-8", newline="\n") as rc:
        rc.write("#pragma code_page(65001)\n// Generated from resources/strings.tsv; do not edit.\n")
        rc.write("LANGUAGE 0x11, 0x01\nSTRINGTABLE\nBEGIN\n")
        for ident, name, text in rows:
            rc.write(f'  {ident}, "{rc_text(text)}"\n')
        rc.write("END\n")


if __name__ == "__main__":
    main()
