#!/usr/bin/env python3
"""Checks a window layout (UTF-8, see resources/form1.layout) and writes it
as the program reads it: Shift-JIS, comments and blank lines dropped, LF line
ends. A malformed line, an unknown kind or key, a value of the wrong type or
a character outside code page 932 stops the build.

Usage: gen_layout.py LAYOUT OUT
"""
import re
import sys

INTEGER = "integer"
TEXT = "text"
NAMES = "names"
FLAG = "flag"

CONTROL = {
    "left": INTEGER, "top": INTEGER, "width": INTEGER, "height": INTEGER,
    "visible": FLAG, "enabled": FLAG, "color": NAMES,
    "font-name": TEXT, "font-height": INTEGER, "font-charset": INTEGER,
    "font-color": NAMES, "font-style": NAMES,
}
FOCUSABLE = dict(CONTROL, **{"tab-order": INTEGER, "tab-stop": FLAG})
CHOOSER = {
    "default-ext": TEXT, "filter": TEXT, "filter-index": INTEGER,
    "options": NAMES, "title": TEXT,
}
KINDS = {
    "form": dict(CONTROL, **{
        "class": NAMES, "caption": TEXT, "client-width": INTEGER,
        "client-height": INTEGER, "border-style": NAMES, "border-icons": NAMES,
        "position": NAMES, "scaled": FLAG, "on-show": NAMES,
    }),
    "label": dict(CONTROL, **{"caption": TEXT}),
    "edit": dict(FOCUSABLE, **{"text": TEXT, "read-only": FLAG}),
    "memo": dict(FOCUSABLE, **{
        "line": TEXT, "read-only": FLAG, "word-wrap": FLAG, "scroll-bars": NAMES,
    }),
    "button": dict(FOCUSABLE, **{"caption": TEXT, "on-click": NAMES}),
    "open-dialog": CHOOSER,
    "save-dialog": CHOOSER,
}
REPEATABLE = {"line"}

SECTION = re.compile(r"^\[([A-Za-z_][A-Za-z0-9_]*): ([a-z-]+)\]$")
PROPERTY = re.compile(r"^([a-z-]+) =(?: (.*))?$")
INTEGER_VALUE = re.compile(r"^-?[0-9]+$")
NAME_VALUE = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")


def fail(path, number, why):
    sys.exit(f"{path}:{number}: {why}")


def check_value(path, number, kind, value):
    if kind == TEXT:
        if len(value) < 2 or value[0] != '"' or value[-1] != '"':
            fail(path, number, "expected a text in double quotes")
    elif kind == INTEGER:
        if not INTEGER_VALUE.match(value):
            fail(path, number, "expected an integer")
    elif kind == FLAG:
        if value not in ("yes", "no"):
            fail(path, number, "expected yes or no")
    elif kind == NAMES:
        if value and not all(NAME_VALUE.match(name) for name in value.split(" ")):
            fail(path, number, "expected names separated by single blanks")


def compile_layout(path):
    out = []
    names = set()
    section_keys = None
    section_kind = None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n").rstrip("\r")
            if not line.strip() or line.startswith("#"):
                continue
            section = SECTION.match(line)
            if section:
                name, kind = section.groups()
                if kind not in KINDS:
                    fail(path, number, f"unknown kind {kind}")
                if section_kind is None and kind != "form":
                    fail(path, number, "the first component must be the form")
                if section_kind is not None and kind == "form":
                    fail(path, number, "only the first component is a form")
                if name in names:
                    fail(path, number, f"{name} stands twice")
                names.add(name)
                section_kind, section_keys = kind, set()
                out.append(line)
                continue
            prop = PROPERTY.match(line)
            if not prop:
                fail(path, number, "expected [Name: kind] or key = value")
            if section_kind is None:
                fail(path, number, "a property before the first component")
            key, value = prop.group(1), prop.group(2) or ""
            expected = KINDS[section_kind].get(key)
            if expected is None:
                fail(path, number, f"a {section_kind} has no property {key}")
            if key in section_keys and key not in REPEATABLE:
                fail(path, number, f"{key} stands twice")
            section_keys.add(key)
            check_value(path, number, expected, value)
            out.append(line)
    if section_kind is None:
        fail(path, 0, "no components")
    text = "\n".join(out) + "\n"
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as e:
        sys.exit(f"{path}: a character outside code page 932: {e}")


def main():
    source, target = sys.argv[1:3]
    data = compile_layout(source)
    with open(target, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
