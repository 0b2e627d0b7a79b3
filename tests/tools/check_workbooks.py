#!/usr/bin/env python3
"""The converter's workbooks read back with openpyxl, as a spreadsheet user
would read them.

  corpus   every corpus drawing in both modes: each text cell equals the
           text of the UTF-8 CSV file for the same record, each number cell
           the CSV file's number read as a double
  hostile  texts that spreadsheets take for formulas, numbers, dates or
           errors come back as string cells, unchanged
  batch    several drawings into one workbook: sheet names made valid and
           unique, the drawing column
  rows     more texts than a sheet holds: two sheets and one warning

Usage: check_workbooks.py CHECK --cli CLI [--runner RUNNER] --work DIR [--corpus DIR]
Exits 77 (skipped) when openpyxl is missing.
"""
import argparse
import csv
import glob
import os
import re
import shutil
import subprocess
import sys
import zipfile

try:
    import openpyxl
except ImportError:
    print("openpyxl is not installed")
    sys.exit(77)

ALL_COLUMNS = ("x,y,z,text,type,layer,handle,height,rotation,style,"
               "align_x,align_y,align_z,space,block,visible,drawing")
NUMBER_COLUMNS = {"x", "y", "z", "height", "rotation", "align_x", "align_y", "align_z",
                  "visible", "X", "Y", "Z"}


def run(args, command, expected=0):
    """Runs the converter in the work folder with names relative to it."""
    runner = [args.runner] if args.runner else []
    done = subprocess.run(runner + [args.cli] + command, cwd=args.work,
                          env=dict(os.environ, TORIDASU_LANG="en"),
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if done.returncode != expected and expected is not None:
        sys.exit(f"toridasu-cli {' '.join(command)}: exit {done.returncode}, expected "
                 f"{expected}\n{done.stderr.decode(errors='replace')}")
    return done.stderr.decode("utf-8", errors="replace")


def cell_text(cell):
    """A string cell's text as Excel reads it: "_xHHHH_" is the character
    U+HHHH (openpyxl leaves such escapes as they stand)."""
    if cell.value is None:
        return ""
    return re.sub("_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), cell.value)


def csv_rows(path):
    with open(path, encoding="utf-8-sig", newline="") as f:
        return list(csv.reader(f))


def sheet_rows(workbook_path, faults):
    book = openpyxl.load_workbook(workbook_path)
    rows = []
    for sheet in book.worksheets:
        if sheet.freeze_panes != "A2" or not sheet.auto_filter.ref:
            faults.append(f"{workbook_path} {sheet.title}: header not frozen or no filter")
        if not all(cell.font.b for cell in sheet[1]):
            faults.append(f"{workbook_path} {sheet.title}: header not bold")
        for index, row in enumerate(sheet.iter_rows()):
            if index != 0 or not rows:
                rows.append(row)
    return rows


def compare(csv_path, workbook_path, exact_mode, faults):
    expected = csv_rows(csv_path)
    got = sheet_rows(workbook_path, faults)
    name = os.path.basename(workbook_path)
    if len(expected) != len(got):
        faults.append(f"{name}: {len(got)} rows, the CSV file has {len(expected)}")
        return 0
    header = expected[0]
    if [cell.value for cell in got[0]] != header:
        faults.append(f"{name}: header {[c.value for c in got[0]]}, expected {header}")
    for line, (fields, cells) in enumerate(zip(expected[1:], got[1:]), start=2):
        for column, field, cell in zip(header, fields, cells):
            if column in NUMBER_COLUMNS:
                if cell.data_type != "n" or float(cell.value) != float(field):
                    faults.append(f"{name} row {line} {column}: {cell.value!r} ({cell.data_type}),"
                                  f" the CSV file has {field}")
                continue
            value = cell_text(cell)
            if value != "" and cell.data_type != "s":
                faults.append(f"{name} row {line} {column}: a {cell.data_type} cell")
            # The default mode's CSV file writes a double quote as a full-width one.
            if exact_mode:
                value = value.replace('"', "\u201d")
            if value != field:
                faults.append(f"{name} row {line} {column}: {value!r}, the CSV file has {field!r}")
    return len(expected) - 1


def check_corpus(args):
    faults = []
    folders = [folder for folder in (args.corpus, args.jww_corpus) if folder]
    drawings = sorted(glob.glob(os.path.join(args.corpus, "*.dxf")))
    if args.jww_corpus:
        drawings += sorted(glob.glob(os.path.join(args.jww_corpus, "*.jww")))
    if not drawings:
        print(f"no corpus at {args.corpus}")
        return 0
    modes = {
        "default": ["--invalid", "replace"],
        "full": ["--full", "--hidden", "--invalid", "replace", "--columns", ALL_COLUMNS],
    }
    for mode, options in modes.items():
        csv_dir, xlsx_dir = f"{mode}-csv", f"{mode}-xlsx"
        # A drawing that fails (a text cut in half a character) fails both ways.
        run(args, ["-q", "--encoding", "utf-8", "-d", csv_dir] + options + folders, None)
        run(args, ["-q", "--format", "xlsx", "-d", xlsx_dir] + options + folders, None)
        records = compared = 0
        for drawing in drawings:
            stem = os.path.splitext(os.path.basename(drawing))[0]
            csv_path = os.path.join(args.work, csv_dir, stem + ".csv")
            workbook = os.path.join(args.work, xlsx_dir, stem + ".xlsx")
            if not os.path.exists(csv_path) or not os.path.exists(workbook):
                if os.path.exists(csv_path) != os.path.exists(workbook):
                    faults.append(f"{stem}: one of the CSV file and the workbook is missing")
                continue
            records += compare(csv_path, workbook, mode == "default", faults)
            compared += 1
        print(f"{mode} mode: {compared} drawings, {records} records, cell by cell")
    return report(faults)


HOSTILE = ["=SUM(1+1)", "+1", "-1", "@A1", "001", "1/2", "1:50", "#N/A", "TRUE",
           " leading space", "trailing space ", "two\nlines", "x" * 32767, "\ufffd",
           "=HYPERLINK(\"http://example.com\",\"x\")", "_x0041_", "3,700", "1E5", "NA",
           "not XML: \uffff \ufffe"]


def in_code_page_932(text):
    try:
        text.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


def mtext_value(text):
    return text.replace("\\", "\\\\").replace("\n", "\\P")


def check_hostile(args):
    faults = []
    # Full mode: an AC1021 drawing, whose texts are UTF-8, each text an MTEXT
    # (line breaks as \P); the default mode: the same texts as TEXT entities
    # in code page 932 bytes (no line break in a TEXT).
    full_lines = ["0", "SECTION", "2", "HEADER", "9", "$ACADVER", "1", "AC1021", "0", "ENDSEC",
                  "0", "SECTION", "2", "ENTITIES"]
    for i, text in enumerate(HOSTILE):
        value = mtext_value(text)
        full_lines += ["0", "MTEXT", "10", str(i), "20", "0", "30", "0"]
        while len(value) > 250:
            full_lines += ["3", value[:250]]
            value = value[250:]
        full_lines += ["1", value]
    full_lines += ["0", "ENDSEC", "0", "EOF"]
    with open(os.path.join(args.work, "hostile-full.dxf"), "w", encoding="utf-8",
              newline="\r\n") as f:
        f.write("\n".join(full_lines) + "\n")
    # A zero byte reaches a TEXT of the default mode as it stands.
    exact = [t for t in HOSTILE if "\n" not in t and in_code_page_932(t)] + ["zero\x00byte"]
    exact_lines = ["0", "SECTION", "2", "ENTITIES"]
    for i, text in enumerate(exact):
        exact_lines += ["0", "TEXT", "10", str(i), "20", "0", "30", "0", "1", text]
    exact_lines += ["0", "ENDSEC", "0", "EOF"]
    with open(os.path.join(args.work, "hostile.dxf"), "w", encoding="cp932",
              newline="\r\n") as f:
        f.write("\n".join(exact_lines) + "\n")
    run(args, ["-q", "--full", "-o", "hostile-full.xlsx", "hostile-full.dxf"])
    run(args, ["-q", "-o", "hostile.xlsx", "hostile.dxf"])
    for workbook, texts in (("hostile-full.xlsx", HOSTILE), ("hostile.xlsx", exact)):
        rows = sheet_rows(os.path.join(args.work, workbook), faults)[1:]
        got = [(cell_text(row[3]), row[3].data_type) for row in rows]
        if got != [(text, "s") for text in texts]:
            for (value, kind), text in zip(got, texts):
                if (value, kind) != (text, "s"):
                    faults.append(f"{workbook}: {text[:40]!r} came back as {str(value)[:40]!r} ({kind})")
            if len(got) != len(texts):
                faults.append(f"{workbook}: {len(got)} texts, expected {len(texts)}")
        for row in rows:
            if "\n" in str(row[3].value) and not row[3].alignment.wrap_text:
                faults.append(f"{workbook}: a line break not wrapped")
    # One character more than a cell holds fails the drawing, leaving nothing.
    with open(os.path.join(args.work, "long.dxf"), "w", encoding="cp932", newline="\r\n") as f:
        f.write("\n".join(["0", "SECTION", "2", "ENTITIES", "0", "TEXT", "1", "y" * 32768,
                           "0", "ENDSEC", "0", "EOF"]) + "\n")
    err = run(args, ["-o", "long.xlsx", "long.dxf"], expected=1)
    if "32768 characters" not in err or os.path.exists(os.path.join(args.work, "long.xlsx")):
        faults.append(f"a text of 32768 characters: {err}")
    return report(faults)


def write_drawing(path, texts):
    lines = ["0", "SECTION", "2", "ENTITIES"]
    for text in texts:
        lines += ["0", "TEXT", "10", "1", "20", "2", "1", text]
    lines += ["0", "ENDSEC", "0", "EOF"]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="cp932", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def check_batch(args):
    faults = []
    long_name = "a" * 40
    drawings = [("a/平面図.dxf", "平面図"), ("b/平面図.DXF", "平面図 (2)"),
                (f"a/{long_name}.dxf", "a" * 31), ("a/plan[1].dxf", "plan_1_"),
                ("b/ＡＢ.dxf", "ＡＢ"), ("a/ａｂ.dxf", "ａｂ (2)")]
    for name, _ in drawings:
        write_drawing(os.path.join(args.work, name), [os.path.basename(name)])
    run(args, ["-q", "--full", "--columns", "text,drawing", "-o", "rooms.xlsx"] +
        [name for name, _ in drawings])
    book = openpyxl.load_workbook(os.path.join(args.work, "rooms.xlsx"))
    titles = [sheet.title for sheet in book.worksheets]
    if titles != [title for _, title in drawings]:
        faults.append(f"sheet names {titles}")
    for sheet, (name, _) in zip(book.worksheets, drawings):
        cells = [cell.value for cell in sheet[2]]
        if cells != [os.path.basename(name)] * 2:
            faults.append(f"{sheet.title}: text and drawing {cells}")
    # A drawing that fails leaves no sheet; the others are kept.
    with open(os.path.join(args.work, "a/broken.dxf"), "wb") as f:
        f.write(b"0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n1\r\nA\x82\r\n0\r\nEOF\r\n")
    run(args, ["-q", "-o", "some.xlsx", "a/broken.dxf", "a/平面図.dxf"], expected=1)
    titles = openpyxl.load_workbook(os.path.join(args.work, "some.xlsx")).sheetnames
    if titles != ["平面図"]:
        faults.append(f"after a failed drawing: sheets {titles}")
    return report(faults)


def check_rows(args):
    count = 1100000
    path = os.path.join(args.work, "many.dxf")
    with open(path, "w", newline="\r\n") as f:
        f.write("0\nSECTION\n2\nENTITIES\n")
        f.write("0\nTEXT\n10\n1\n20\n2\n1\nt\n" * count)
        f.write("0\nENDSEC\n0\nEOF\n")
    err = run(args, ["--format", "xlsx", "many.dxf"])
    faults = []
    if err.count("warning:") != 1 or "'many (2)'" not in err:
        faults.append(f"one warning naming the next sheet expected: {err}")
    with zipfile.ZipFile(os.path.join(args.work, "many.xlsx")) as z:
        names = re.findall(r'<sheet name="([^"]*)"', z.read("xl/workbook.xml").decode())
        dimensions = [re.search(r'<dimension ref="([^"]*)"', z.read(f"xl/worksheets/sheet{i}.xml")
                                .decode()[:2000]).group(1) for i in (1, 2)]
    if names != ["many", "many (2)"] or dimensions != ["A1:D1048576", f"A1:D{count - 1048575 + 1}"]:
        faults.append(f"sheets {names}, dimensions {dimensions}")
    return report(faults)


def report(faults):
    for fault in faults[:50]:
        print(fault)
    if faults:
        print(f"{len(faults)} faults")
        return 1
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("check", choices=["corpus", "hostile", "batch", "rows"])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--runner", default="")
    parser.add_argument("--work", required=True)
    parser.add_argument("--corpus", default="")
    parser.add_argument("--jww-corpus", default="")
    args = parser.parse_args()
    args.cli = os.path.abspath(args.cli)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    return {"corpus": check_corpus, "hostile": check_hostile, "batch": check_batch,
            "rows": check_rows}[args.check](args)


if __name__ == "__main__":
    sys.exit(main())
