#!/usr/bin/env python3
"""The page in headless Chromium, opened as a file, against the native
converter: every drawing of the corpus and of the Jw_cad samples converted
in both modes gives the native bytes and messages; files the converter
cannot read show its message beside them; the layer list and the preview's
counts are the native ones; a layer choice reaches the converter as the
user made it; and no request leaves the page.

Usage: page_test.py --page PATH --cli PATH --corpus DIR --jww-corpus DIR
                    --work DIR [--screenshot PNG]
Exits 77 when Chromium or Selenium is missing.
"""
import argparse
import csv
import io
import json
import os
import pathlib
import shutil
import subprocess
import sys
import time
import zipfile

try:
    from selenium import webdriver
    from selenium.common.exceptions import WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
except ImportError:
    print("no selenium: the page is not tested")
    sys.exit(77)

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
ALL_COLUMNS = ("x,y,z,text,type,layer,handle,height,rotation,style,align_x,align_y,"
               "align_z,space,block,visible,drawing")
WAIT = 120  # seconds a conversion of the whole corpus may take at most (it takes about 10)
failures = []


def check(name, problems):
    """One line per check; the first few problems under a failed one."""
    print(("ok   " if not problems else "FAIL ") + name)
    for problem in problems[:10]:
        print("     " + problem)
    if problems:
        failures.append(name)


class Native:
    """The native converter, run the way the page runs the module."""

    def __init__(self, cli, language):
        self.cli = str(pathlib.Path(cli).resolve())
        self.env = dict(os.environ, TORIDASU_LANG=language)

    def run(self, args, cwd):
        return subprocess.run([self.cli, "--no-progress", *args], cwd=cwd, env=self.env,
                              capture_output=True)

    def convert(self, drawing, args, out_dir):
        """(status, message lines without the summary, output path)."""
        drawing = pathlib.Path(drawing)
        output = out_dir / output_name(drawing.name, ".csv")
        done = self.run([*args, "-o", str(output), drawing.name], drawing.parent)
        lines = done.stderr.decode("utf-8").splitlines()
        return done.returncode, lines[:-1] if done.returncode in (0, 1) else lines, output


def output_name(name, extension):
    dot = name.rfind(".")
    return (name[:dot] if dot > 0 else name) + extension


class Page:
    def __init__(self, page, language, downloads):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", f"--lang={language}",
                         "--window-size=1280,1000"):
            options.add_argument(argument)
        options.add_experimental_option("prefs", {
            "intl.accept_languages": language,
            "download.default_directory": str(downloads),
            "download.prompt_for_download": False,
            "profile.default_content_setting_values.automatic_downloads": 1,
        })
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.driver.get(pathlib.Path(page).resolve().as_uri())
        self.logs = []

    def quit(self):
        self.driver.quit()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def choose(self, mode, output, saving="each", columns=None):
        self.js("""
            const [mode, output, saving, columns] = arguments;
            const pick = (name, value) => document.querySelector(`input[name="${name}"][value="${value}"]`).click();
            pick('mode', mode); pick('format', output); pick('saving', saving);
            if (columns) for (const box of document.querySelectorAll('input[name="column"]'))
              if (box.checked !== columns.includes(box.value)) box.click();
        """, mode, output, saving, columns)

    def add(self, paths):
        self.driver.find_element(By.ID, "file-input").send_keys("\n".join(str(p) for p in paths))

    def clear(self):
        self.driver.find_element(By.ID, "clear").click()

    def until(self, script, what):
        end = time.monotonic() + WAIT
        while time.monotonic() < end:
            if self.js(script):
                return
            time.sleep(0.2)
        raise TimeoutError(what)

    def convert(self):
        self.driver.find_element(By.ID, "convert").click()
        self.until("""return !document.getElementById('convert').disabled &&
                      !document.querySelector('#file-rows tr[data-state="queued"], #file-rows tr[data-state="working"]')""",
                   "the conversion")

    def rows(self):
        """{path: (state, [messages])} of the drawings' table."""
        found = self.js("""return [...document.querySelectorAll('#file-rows tr')].map((row) =>
            [row.dataset.path, row.dataset.state, [...row.querySelectorAll('ul.messages li')].map((li) => li.textContent)]);""")
        return {path: (state, messages) for path, state, messages in found}

    def save_all(self, folder, expected):
        """Saves every result into `folder` and waits for the `expected` names."""
        folder.mkdir(parents=True)
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(folder)})
        self.driver.find_element(By.ID, "save-all").click()
        end = time.monotonic() + WAIT
        while time.monotonic() < end:
            names = set(os.listdir(folder))
            if names >= expected and not any(n.endswith(".crdownload") for n in names):
                return
            time.sleep(0.2)

    def preview(self, path):
        self.js("document.querySelector(`#file-rows tr[data-path=\"${arguments[0]}\"] button.preview`).click()", path)
        self.until("return document.getElementById('preview-summary').dataset.total !== undefined", "the preview")

    def table_counts(self, table):
        return dict(self.js(f"""return [...document.querySelectorAll('#{table} tbody tr')].map(
            (row) => [row.dataset.name, Number(row.dataset.count)]);"""))

    def collect_logs(self):
        self.logs += self.driver.get_log("performance")
        return self.driver.get_log("browser")


def compare_batch(page, native, drawings, args, folder, extension=".csv"):
    """Problems of one batch: states, messages and bytes against native's."""
    expected_dir = folder / "native"
    expected_dir.mkdir(parents=True)
    expected = {}
    for drawing in drawings:
        expected[drawing.name] = native.convert(drawing, args, expected_dir)
    rows = page.rows()
    saved = {output_name(name, extension) for name, (status, _, _) in expected.items() if status == 0}
    page.save_all(folder / "page", saved)
    problems = []
    for name, (status, lines, output) in expected.items():
        state, messages = rows.get(name, ("missing", []))
        want = "converted" if status == 0 else "failed"
        if state != want:
            problems.append(f"{name}: {state}, native {want}")
        if messages != lines:
            problems.append(f"{name}: messages {messages}, native {lines}")
        got = folder / "page" / output.name
        if status == 0 and (not got.exists() or got.read_bytes() != output.read_bytes()):
            problems.append(f"{name}: {output.name} is not the native converter's")
    return problems, sum(1 for status, _, _ in expected.values() if status == 0)


def broken_drawings(work, corpus):
    """A DWG, an empty file and a drawing cut short, made afresh."""
    folder = work / "broken"
    folder.mkdir()
    (folder / "drawing.dwg").write_bytes(b"AC1032" + bytes(range(256)) * 4)
    (folder / "empty.dxf").write_bytes(b"")
    whole = (corpus / "dxfplan3d__sample-house-sjis.dxf").read_bytes()
    (folder / "cut.dxf").write_bytes(whole[: len(whole) // 2])
    return sorted(folder.iterdir())


def layered_drawing(work):
    """A drawing whose layer names hold the separator and wildcards of --layers."""
    layers = ["0", "A,B", "AXB", "a*b", "ab", "壁"]
    entities = "".join(
        f"0\r\nTEXT\r\n8\r\n{layer}\r\n10\r\n{i}\r\n20\r\n0\r\n30\r\n0\r\n40\r\n1\r\n1\r\nT{i}\r\n"
        for i, layer in enumerate(layers))
    text = ("0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$DWGCODEPAGE\r\n3\r\nANSI_932\r\n0\r\nENDSEC\r\n"
            f"0\r\nSECTION\r\n2\r\nENTITIES\r\n{entities}0\r\nENDSEC\r\n0\r\nEOF\r\n")
    path = work / "broken" / "layers.dxf"
    path.write_bytes(text.encode("cp932"))
    return path


def check_corpus(page, native, drawings, work):
    page.choose("exact", "csv-sjis")
    page.add(drawings)
    page.convert()
    problems, converted = compare_batch(page, native, drawings, [], work / "exact")
    check(f"exact mode, CSV in Shift-JIS: {converted} of {len(drawings)} drawings as the native "
          "converter writes them, the rest failing with its messages", problems)
    page.choose("full", "csv-sjis", columns=ALL_COLUMNS.split(","))
    page.convert()
    problems, converted = compare_batch(page, native, drawings, ["--full", "--columns", ALL_COLUMNS],
                                        work / "full")
    check(f"full mode, every column, CSV in Shift-JIS: {converted} of {len(drawings)} drawings as "
          "the native converter writes them, the rest failing with its messages", problems)
    page.clear()


def check_preview(page, native, drawing):
    page.add([drawing])
    page.preview(drawing.name)
    problems = []
    listing = native.run(["--full", "--list-layers", "--encoding", "utf-8", drawing.name], drawing.parent)
    layers = [line.rsplit("\t", 1) for line in listing.stdout.decode("utf-8").splitlines()]
    got = page.js("""return [...document.querySelectorAll('#layer-list tbody tr')].map(
        (row) => [row.dataset.name, row.dataset.count]);""")
    if got != layers:
        problems.append(f"layers {got}, native {layers}")
    table = native.run(["--full", "--encoding", "utf-8", "--columns", "x,y,text,type,layer", "-o", "-",
                        drawing.name], drawing.parent)
    records = list(csv.reader(io.StringIO(table.stdout.decode("utf-8"), newline="")))[1:]
    by = lambda column: {key: sum(1 for r in records if r[column] == key) for key in {r[column] for r in records}}
    total = int(page.js("return document.getElementById('preview-summary').dataset.total"))
    if total != len(records):
        problems.append(f"{total} texts, native {len(records)}")
    if page.table_counts("type-counts") != by(3):
        problems.append(f"by type {page.table_counts('type-counts')}, native {by(3)}")
    if page.table_counts("layer-counts") != by(4):
        problems.append(f"by layer {page.table_counts('layer-counts')}, native {by(4)}")
    shown = page.js("""return [...document.querySelectorAll('#preview-table tbody tr')].map(
        (row) => [...row.cells].map((cell) => cell.textContent));""")
    if shown != records[:300]:
        problems.append("the preview's rows are not the native converter's first ones")
    check(f"{drawing.name}: {len(layers)} layers and {len(records)} texts by type and layer, "
          "as the native converter counts them", problems)
    page.clear()


def check_layer_choice(page, native, drawing, unreadable, work):
    page.choose("full", "csv-utf8", columns=["text", "layer"])
    page.add([drawing, unreadable])
    page.preview(drawing.name)
    left_out = ["AXB", "ab", "壁"]
    page.js("""for (const box of document.querySelectorAll('#layer-list input'))
                 if (arguments[0].includes(box.value)) box.click();""", left_out)
    page.convert()
    folder = work / "layers"
    page.save_all(folder, {"layers.csv"})
    written = [row[1] for row in csv.reader(io.StringIO((folder / "layers.csv").read_text("utf-8-sig"),
                                                        newline=""))][1:]
    problems = []
    # "A,B" is asked for as "A?B", which takes "AXB" too: the page says so.
    if sorted(written) != sorted(["0", "A,B", "AXB", "a*b"]):
        problems.append(f"layers written: {written}")
    rows = page.rows()
    messages = rows[drawing.name][1]
    if not any("AXB" in message and "A,B" in message for message in messages):
        problems.append(f"no word of the layer taken too: {messages}")
    # The drawing that cannot be read fails beside itself, as without a choice.
    status, lines, _ = native.convert(unreadable, ["--full"], folder)
    if rows[unreadable.name] != ("failed", lines):
        problems.append(f"{unreadable.name}: {rows[unreadable.name]}, native {lines}")
    check("a layer choice with , * and ? in its names: the layers chosen, the one that "
          "cannot be told apart named, a drawing that cannot be read failing beside itself", problems)
    page.clear()


def check_book(page, native, drawings, work):
    """All drawings in one workbook: the native workbook, and each drawing's state."""
    page.choose("full", "xlsx", saving="book", columns=["x", "y", "z", "text"])
    page.add(drawings)
    page.convert()
    folder = work / "book"
    page.save_all(folder / "page", {"toridasu.xlsx"})
    folder.mkdir(exist_ok=True)
    done = native.run(["--full", "-o", str(folder / "native.xlsx"), *[d.name for d in drawings]],
                      drawings[0].parent)
    lines = done.stderr.decode("utf-8").splitlines()[:-1]
    problems = []
    rows = page.rows()
    for drawing in drawings:
        status, _, _ = native.convert(drawing, ["--full", "--format", "xlsx"], folder)
        state, messages = rows[drawing.name]
        if state != ("converted" if status == 0 else "failed"):
            problems.append(f"{drawing.name}: {state}, native status {status}")
        mine = [line for line in lines if line.startswith(drawing.name + ":")]
        if messages != mine:
            problems.append(f"{drawing.name}: messages {messages}, native {mine}")
    problems += workbook_differences(folder / "page" / "toridasu.xlsx", folder / "native.xlsx")
    check(f"{len(drawings)} drawings in one workbook: the native converter's sheets, and each "
          "drawing converted or failed as natively, with its messages", problems)
    page.clear()


def workbook_differences(got, expected):
    """Workbooks hold the same parts, but for the time each was made."""
    if not got.exists():
        return [f"no {got.name}"]
    with zipfile.ZipFile(got) as a, zipfile.ZipFile(expected) as b:
        if a.namelist() != b.namelist():
            return [f"parts {a.namelist()}, native {b.namelist()}"]
        return [f"{part} differs" for part in a.namelist()
                if part != "docProps/core.xml" and a.read(part) != b.read(part)]


def check_folder(page, folder):
    """A folder chosen: its drawings, by their paths in it, and nothing else."""
    page.driver.find_element(By.ID, "folder-input").send_keys(str(folder))
    page.until("return document.querySelectorAll('#file-rows tr').length > 0", "the folder's reading")
    expected = sorted(f"{folder.name}/{p.name}" for p in folder.iterdir() if p.suffix.lower() in (".dxf", ".jww"))
    got = sorted(page.rows())
    check(f"a folder chosen: its {len(expected)} drawings and nothing else",
          [] if got == expected else [f"{got}, expected {expected}"])
    page.clear()


def check_cancel(page, native, drawings, work):
    """Cancelled at once, then converted again by a fresh worker."""
    page.choose("exact", "csv-sjis")
    page.add(drawings)
    page.js("document.getElementById('convert').click(); document.getElementById('cancel').click();")
    states = {state for state, _ in page.rows().values()}
    idle = page.js("return document.getElementById('cancel').disabled && !document.getElementById('convert').disabled")
    page.convert()
    problems, _ = compare_batch(page, native, drawings, [], work)
    if states != {"cancelled"} or not idle:
        problems.insert(0, f"after cancelling: {states}, {'idle' if idle else 'still busy'}")
    return problems


def check_requests(page):
    console = page.collect_logs()
    problems = []
    schemes = set()
    for entry in page.logs:
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            url = message["params"]["request"]["url"]
            schemes.add(url.split(":", 1)[0])
            if url.split(":", 1)[0] not in ("file", "data", "blob"):
                problems.append(f"request for {url}")
    if "file" not in schemes:
        problems.append("the log holds not even the page's own request: it proves nothing")
    problems += [f"console: {e['message']}" for e in console if e["level"] == "SEVERE"]
    check("no request but for the page's own file and Blobs, and no error on the console", problems)


def screenshot(page, drawings, path):
    page.choose("full", "xlsx", columns=["x", "y", "text", "layer"])
    page.add(drawings)
    page.preview(drawings[0].name)
    page.convert()
    size = page.js("return [document.documentElement.scrollWidth, document.documentElement.scrollHeight]")
    page.driver.set_window_size(1280, min(size[1] + 200, 3000))
    page.driver.save_screenshot(str(path))
    print(f"ok   screenshot {path}")


def main():
    try:
        return run_checks()
    except TimeoutError as what:
        check(f"{what} ends", ["the page never finished it"])
        return 1


def run_checks():
    parser = argparse.ArgumentParser()
    for option in ("--page", "--cli", "--corpus", "--jww-corpus", "--work"):
        parser.add_argument(option, required=True, type=pathlib.Path)
    parser.add_argument("--screenshot", type=pathlib.Path)
    args = parser.parse_args()
    if not (os.path.exists(CHROMIUM) and os.path.exists(CHROMEDRIVER)):
        print("no Chromium: the page is not tested")
        return 77
    work = args.work.resolve()
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    corpus = sorted(args.corpus.resolve().glob("*.dxf")) + sorted(args.jww_corpus.resolve().glob("*.jww"))
    broken = broken_drawings(work, args.corpus.resolve())
    layered = layered_drawing(work)

    try:
        page = Page(args.page, "ja-JP", work)
    except WebDriverException as error:
        print(f"Chromium does not start: {error.msg}")
        return 77
    try:
        language = page.js("return document.documentElement.lang")
        check(f"a Japanese browser gets the page in Japanese ({language})", [] if language == "ja" else [language])
        native = Native(args.cli, "ja")
        check_corpus(page, native, corpus + broken, work / "ja")
        check_preview(page, native, args.jww_corpus.resolve() / "Test1.jww")
        dwg = next(path for path in broken if path.suffix == ".dwg")
        check_layer_choice(page, native, layered, dwg, work / "ja")
        check_book(page, native, broken + [layered], work / "ja")
        if args.screenshot:
            screenshot(page, sorted(args.jww_corpus.resolve().glob("Test*.jww"))[:3], args.screenshot.resolve())
        check_requests(page)
    finally:
        page.quit()

    page = Page(args.page, "en-US", work)
    try:
        language = page.js("return document.documentElement.lang")
        check_folder(page, args.jww_corpus.resolve())
        problems = check_cancel(page, Native(args.cli, "en"), broken, work / "en")
        check(f"an English browser ({language}): a conversion cancelled, then made again, with the "
              "converter's messages in English beside their files",
              problems + ([] if language == "en" else [language]))
    finally:
        page.quit()
    print(f"{len(failures)} checks failed" if failures else "every check passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
