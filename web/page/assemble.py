#!/usr/bin/env python3
"""Builds the browser page: one HTML file that holds everything it needs
(markup, style, scripts, the page's texts from the string table, and the
converter's WebAssembly module with its code), so that it works opened as a
file and from any server, and asks the network for nothing.

Usage: assemble.py STRINGS.tsv MODULE.js OUTPUT.html

The page's texts are the rows 2500-2599 of the string table (Japanese) and
their English twins 1000 higher. Every text the page names must be there,
and every one there must be used.
"""
import json
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
# What each script is made of, in order.
PAGE_SOURCES = ["texts.js", "layer_patterns.js", "drawing_files.js", "converter_client.js",
                "drawing_table.js", "conversion.js", "preview_panel.js", "page.js"]
WORKER_SOURCES = ["layer_patterns.js", "csv_rows.js", "worker.js"]
# Nothing from the network: inline scripts and style, WebAssembly, a worker
# made from a Blob, and downloads of Blobs (which are no requests).
CSP = ("default-src 'none'; script-src 'unsafe-inline' 'wasm-unsafe-eval'; "
       "style-src 'unsafe-inline'; worker-src blob:; base-uri 'none'; form-action 'none'")
# The converter's lines that do not fail a drawing: its warnings and hints.
NOTE_NAMES = re.compile(r"^SCli(Warn\w*|HintFull|HiddenLeftOut)(En)?$")
WASM_DATA = re.compile(r"""wasmBinaryFile\s*=\s*(["'])data:application/octet-stream;base64,([A-Za-z0-9+/=]*)\1""")


def fail(message):
    sys.exit(f"assemble.py: {message}")


def read_table(path):
    rows = {}
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        ident, name, text = line.split("\t")
        rows[int(ident)] = (name, text.replace("\\n", "\n"))
    return rows


def page_texts(rows):
    texts = {"ja": {}, "en": {}}
    for ident in range(2500, 2600):
        if ident not in rows:
            continue
        name, text = rows[ident]
        if ident + 1000 not in rows or rows[ident + 1000][0] != name + "En":
            fail(f"text {ident} ({name}) has no English twin {ident + 1000} ({name}En)")
        if not name.startswith("SWeb"):
            fail(f"text {ident} ({name}) is not named SWeb...")
        texts["ja"][name[4:]] = text
        texts["en"][name[4:]] = rows[ident + 1000][1]
    for ident in range(3500, 3600):
        if ident in rows and ident - 1000 not in rows:
            fail(f"English text {ident} has no Japanese twin")
    return texts


def note_patterns(rows):
    patterns = []
    for name, text in rows.values():
        if NOTE_NAMES.match(name):
            pieces = [re.escape(piece) for piece in text.split("%s")]
            patterns.append(": " + ".*".join(pieces) + "$")
    if not patterns:
        fail("the string table names none of the converter's warnings")
    return patterns


def check_texts_used(texts, sources):
    named = set()
    for source in sources:
        named |= set(re.findall(r"""data-text="(\w+)\"""", source))
        named |= set(re.findall(r"""'([A-Z][A-Za-z0-9]+)'""", source))
    known = set(texts["ja"])
    if named - known:
        fail(f"texts named by the page but missing from the string table: {sorted(named - known)}")
    if known - named:
        fail(f"texts of the string table that the page never uses: {sorted(known - named)}")


def script_literal(value):
    # Inside <script>, "</script" or "<!--" would end or confuse the element.
    return json.dumps(value, ensure_ascii=False).replace("<", "\\u003c")


def checked_script(text, what):
    lowered = text.lower()
    if "</script" in lowered or "<!--" in lowered:
        fail(f"{what} holds a sequence that would end its <script> element")
    return text


def main():
    if len(sys.argv) != 4:
        fail("usage: assemble.py STRINGS.tsv MODULE.js OUTPUT.html")
    strings, module_path, output = sys.argv[1:]
    rows = read_table(strings)
    texts = page_texts(rows)
    read = lambda name: (HERE / name).read_text(encoding="utf-8")
    html = read("page.html")
    page_js = "\n".join(read(name) for name in PAGE_SOURCES)
    worker_js = "\n".join(read(name) for name in WORKER_SOURCES)
    check_texts_used(texts, [html, page_js, worker_js])

    # The module carries its code as a data: URL, which it would fetch. The
    # worker compiles that code once, from a string of its own, instead.
    module = pathlib.Path(module_path).read_text(encoding="utf-8")
    found = list(WASM_DATA.finditer(module))
    if len(found) != 1:
        fail(f"{module_path}: expected one embedded WebAssembly binary, found {len(found)}")
    wasm = found[0].group(2)
    module = module[:found[0].start()] + 'wasmBinaryFile=""' + module[found[0].end():]

    notes = ", ".join("new RegExp(" + script_literal(p) + ")" for p in note_patterns(rows))
    worker = (f"const TORIDASU_WASM = {json.dumps(wasm)};\n"
              f"const NOTE_PATTERNS = [{notes}];\n"
              f"{module}\n(() => {{\n'use strict';\n{worker_js}\n}})();\n")
    script = (f"const TEXTS = {script_literal(texts)};\n"
              f"const WORKER_SOURCE = {script_literal(worker)};\n"
              f"(() => {{\n'use strict';\n{checked_script(page_js, 'the page script')}\n}})();")

    for placeholder in ("@CSP@", "@STYLE@", "@SCRIPT@"):
        if html.count(placeholder) != 1:
            fail(f"page.html must hold {placeholder} once")
    html = (html.replace("@CSP@", CSP)
                .replace("@STYLE@", read("page.css"))
                .replace("@SCRIPT@", script))
    pathlib.Path(output).write_text(html, encoding="utf-8", newline="\n")


if __name__ == "__main__":
    main()
