#!/usr/bin/env python3
"""Turns resources/strings.tsv (UTF-8) into the program's forms of it: a C++
table of Shift-JIS bytes for the portable core, a Windows string-table
resource (UTF-8 source, code page 65001) for the programs, and, when asked,
a C++ header with one constant per id (SName gives text_id::kName), so that
no id is typed anywhere else.

Usage: gen_strings.py strings.tsv OUT.inc OUT.rc [OUT_ids.h]
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
    for column, what in ((0, "an id"), (1, "a name")):
        values = [r[column] for r in rows]
        if len(set(values)) != len(values):
            sys.exit(f"{path}: {what} stands twice")
    return sorted(rows)


def constant_name(name):
    return "k" + (name[1:] if name.startswith("S") else name)


def write_ids(path, rows):
    with open(path, "w", encoding="utf-8", newline="\n") as h:
        h.write("// Generated from resources/strings.tsv; do not edit.\n#pragma once\n\n")
        h.write("#include <cstdint>\n\nnamespace toridasu::text_id {\n\n")
        for ident, name, text in rows:
            # Quoted, so that a closing backslash cannot continue the comment.
            shown = text.replace("\\", "\\\\").replace("\n", "\\n")
            h.write(f'constexpr uint32_t {constant_name(name)} = {ident};  // "{shown}"\n')
        h.write("\n}  // namespace toridasu::text_id\n")


def c_bytes(data):
    return "".join(f"\\x{b:02X}" for b in data)


def rc_text(text):
    out = text.replace("\\", "\\\\").replace('"', '""').replace("\n", "\\n")
    return out


def main():
    source, inc_path, rc_path = sys.argv[1:4]
    rows = read_table(source)
    if len(sys.argv) > 4:
        write_ids(sys.argv[4], rows)
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
