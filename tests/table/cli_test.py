#!/usr/bin/env python3
"""velmora-table end to end: the files it writes read back, its output and exit statuses, and
that a failed run leaves no file behind. Usage: cli_test.py PATH_TO_VELMORA_TABLE"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

PROGRAM = os.path.abspath(sys.argv[1])
# Without arguments the program opens its window; with no display it prints the usage instead.
for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
    os.environ.pop(name, None)
REFERENCE = ["--L", "5000", "--D", "2020", "--Delta", "10", "--Hs", "25"]
failures = []


def run(*args, cwd):
    p = subprocess.run([PROGRAM, *args], cwd=cwd, capture_output=True)
    return p.returncode, p.stdout.decode(), p.stderr.decode()


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def expect_run(args, rc, out=None, err=None, cwd=None):
    got = run(*args, cwd=cwd)
    what = " ".join(args)
    check(got[0] == rc, f"{what}: exit {got[0]}, expected {rc}; stderr {got[2]!r}")
    if out is not None:
        check(got[1] == out, f"{what}: stdout {got[1]!r}, expected {out!r}")
    if err is not None:
        check(err(got[2]) if callable(err) else got[2] == err,
              f"{what}: stderr {got[2]!r}")
    return got


def leftovers(directory):
    return sorted(n for n in os.listdir(directory) if n.startswith("."))


def check_csv(d):
    expect_run([*REFERENCE, "--step", "500", "--output", "t.csv"], 0, out="", err="", cwd=d)
    expected = ("\ufeff液位高度(mm),容积(m3),充装率(%)\r\n"
                "0,0,0.00\r\n500,3.429,19.10\r\n1000,8.975,50.00\r\n"
                "1500,14.521,80.90\r\n2000,17.95,100.00\r\n").encode()
    with open(os.path.join(d, "t.csv"), "rb") as f:
        check(f.read() == expected, "reference CSV, step 500, byte for byte")

    # With a density, and a comma as the separator of the inputs: the file keeps ".".
    expect_run(["--L", "5000", "--D", "2020", "--Delta", "10", "--Hs", "25,0", "--step", "7",
                "--density", "850", "--decimal-separator", ",", "--output", "m.CSV"], 0, cwd=d)
    with open(os.path.join(d, "m.CSV"), "rb") as f:
        lines = f.read().decode("utf-8-sig").split("\r\n")
    check(lines[0] == "液位高度(mm),容积(m3),充装率(%),质量(t)", f"mass header {lines[0]!r}")
    check(lines[1] == "0,0,0.00,0.000", f"first row {lines[1]!r}")
    check(lines[-3] == "1995,17.947,99.98,15.255", f"row below Di {lines[-3]!r}")
    check(lines[-2:] == ["2000,17.95,100.00,15.258", ""], f"last row {lines[-2:]!r}")
    check(len(lines) == 1 + 286 + 1 + 1, f"{len(lines)} lines for step 7")


def cells(book):
    """The sheet's cells as {"A1": value}, strings resolved, with each cell's number format."""
    ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
    strings = [si.findtext("m:t", namespaces=ns)
               for si in ET.fromstring(book.read("xl/sharedStrings.xml")).findall("m:si", ns)]
    styles = ET.fromstring(book.read("xl/styles.xml"))
    codes = {n.get("numFmtId"): n.get("formatCode") for n in styles.iter(f"{{{ns['m']}}}numFmt")}
    xfs = [codes.get(xf.get("numFmtId"), "General")
           for xf in styles.find("m:cellXfs", ns).findall("m:xf", ns)]
    out = {}
    sheet = ET.fromstring(book.read("xl/worksheets/sheet1.xml"))
    for c in sheet.iter(f"{{{ns['m']}}}c"):
        v = c.findtext("m:v", namespaces=ns)
        if v is None:
            continue
        value = strings[int(v)] if c.get("t") == "s" else float(v)
        out[c.get("r")] = (value, xfs[int(c.get("s", "0"))])
    return out, sheet


def check_xlsx(d):
    expect_run([*REFERENCE, "--step", "500", "--density", "850", "--unit", "某某石化储运部",
                "--tank", "T-101", "--certificate", "证字第0042号", "--output", "t.xlsx"], 0,
               out="", err="", cwd=d)
    with zipfile.ZipFile(os.path.join(d, "t.xlsx")) as book:
        check(book.testzip() is None, "xlsx is a sound zip")
        workbook = book.read("xl/workbook.xml").decode()
        check('<sheet name="容量表"' in workbook, "sheet 容量表")
        check("<definedName name=\"_xlnm.Print_Titles\"" in workbook, "header row repeated")
        got, sheet = cells(book)
    texts = {v for v, _ in got.values() if isinstance(v, str)}
    for t in ["卧式容器容量表", "某某石化储运部", "T-101", "证字第0042号", "容器外径(mm)"]:
        check(t in texts, f"xlsx holds {t}")
    check(any(isinstance(v, str) and re.fullmatch(r"\d{4}年\d{1,2}月\d{1,2}日", v)
              for v in texts), "xlsx holds a date")
    check(any(isinstance(v, str) and "3.14" in v for v in texts), "basis of calculation")
    head = next(r for r, (v, _) in got.items() if v == "液位高度(mm)")
    n = int(head[1:])
    check([got.get(f"{c}{n}", (None,))[0] for c in "ABCD"] ==
          ["液位高度(mm)", "容积(m3)", "充装率(%)", "质量(t)"], "table header row")
    rows = [[got[f"{c}{n + k}"] for c in "ABCD"] for k in range(1, 6)]
    values = [[round(v, 6) for v, _ in r] for r in rows]
    check(values == [[0, 0, 0, 0], [500, 3.429, 19.1, 2.915], [1000, 8.975, 50, 7.629],
                     [1500, 14.521, 80.9, 12.343], [2000, 17.95, 100, 15.258]],
          f"xlsx rows {values}")
    check(f"A{n + 6}" not in got, "no row after Di")
    check([f for _, f in rows[1]] == ["General", "0.000", "0.00", "0.000"],
          f"number formats {[f for _, f in rows[1]]}")
    pane = sheet.find(".//{*}pane")
    check(pane is not None and pane.get("state") == "frozen" and pane.get("ySplit") == str(n),
          "header row frozen")
    setup = sheet.find(".//{*}pageSetup")
    check(setup is not None and setup.get("paperSize") == "9"
          and setup.get("orientation") == "portrait", "A4 portrait")
    widths = [float(c.get("width")) for c in sheet.findall(".//{*}col")]
    check(len(widths) == 4 and widths[0] >= 13 and min(widths) >= 10, f"widths {widths}")


def check_inverse(d):
    expect_run([*REFERENCE, "--step", "500", "--level-for-percent", "50"], 0, out="1000\n", cwd=d)
    expect_run([*REFERENCE, "--level-for-volume", "8.976"], 0, out="1001\n", cwd=d)
    expect_run([*REFERENCE, "--level-for-volume=0"], 0, out="0\n", cwd=d)
    expect_run([*REFERENCE, "--density", "850", "--level-for-mass", "7.6296"], 0,
               out="1001\n", cwd=d)
    # Di 1000.9 on a 100 m shell: only Di itself holds the whole capacity, and the level is
    # written with the separator the inputs use.
    expect_run(["--L", "100000", "--D", "1000,9", "--Delta", "0", "--Hs", "0",
                "--decimal-separator", ",", "--level-for-percent", "100"], 0,
               out="1000,9\n", cwd=d)


def check_statuses(d):
    warn = [
        ([*REFERENCE[:3], "2020mm", *REFERENCE[4:], "--output", "w.csv"], "输入值必须为数字!\n"),
        ([*REFERENCE[:5], "-1", *REFERENCE[6:], "--output", "w.xlsx"], "输入值不能为负数!\n"),
        ([*REFERENCE[:3], "", *REFERENCE[4:], "--output", "w.csv"], "输入值不能为空!\n"),
        ([*REFERENCE, "--step", "0", "--output", "w.csv"], "液位间隔必须大于0!\n"),
        ([*REFERENCE, "--step", "0.01", "--output", "w.csv"],
         "液位间隔太小，容量表不能超过100000行!\n"),
        ([*REFERENCE, "--level-for-volume", "18"], "查询值超出容器容量范围!\n"),
        ([*REFERENCE, "--level-for-mass", "1"], "按质量反查液位需要介质密度!\n"),
        ([*REFERENCE, "--output", "no-such-dir/w.csv"], "无法写入文件：no-such-dir/w.csv\n"),
    ]
    for args, message in warn:
        expect_run(args, 1, out="", err=message, cwd=d)
    usage = lambda e: "用法：" in e
    for args in [
        [],
        [*REFERENCE],
        [*REFERENCE, "--output", "t.csv", "--level-for-percent", "50"],
        [*REFERENCE, "--output", "t.txt"],
        [*REFERENCE[:-2], "--level-for-volume", "1"],
        [*REFERENCE, "--colour", "red", "--output", "t.csv"],
        [*REFERENCE, "--L", "1", "--output", "t.csv"],
        [*REFERENCE, "--output"],
        [*REFERENCE, "--step", "--output", "t.csv"],
        [*REFERENCE, "extra", "--output", "t.csv"],
        [*REFERENCE, "--decimal-separator", "1", "--output", "t.csv"],
    ]:
        expect_run(args, 2, out="", err=usage, cwd=d)
    # A PDF needs no display either (its pages are the window tests' business).
    expect_run([*REFERENCE, "--output", "t.pdf"], 0, out="", err="", cwd=d)
    with open(os.path.join(d, "t.pdf"), "rb") as f:
        check(f.read(5) == b"%PDF-", "t.pdf is a PDF")
    expect_run(["--help"], 0, out=None, err="", cwd=d)
    check("用法：" in run("--help", cwd=d)[1], "--help prints the usage")
    check(re.fullmatch(r"velmora-table \d+\.\d+\.\d+\n", run("--version", cwd=d)[1]) is not None,
          "--version")
    check(not os.path.exists(os.path.join(d, "w.csv")) and
          not os.path.exists(os.path.join(d, "w.xlsx")), "no file from a warning")


def check_no_partial_file(d):
    target = os.path.join(d, "keep.csv")
    with open(target, "wb") as f:
        f.write(b"old")
    expect_run([*REFERENCE, "--D", "x", "--output", "keep.csv"], 2, cwd=d)
    expect_run([*REFERENCE[:3], "x", *REFERENCE[4:], "--output", "keep.csv"], 1, cwd=d)
    with open(target, "rb") as f:
        check(f.read() == b"old", "a failed run keeps the existing file")
    expect_run([*REFERENCE, "--step", "1000", "--output", "keep.csv"], 0, cwd=d)
    with open(target, "rb") as f:
        check(f.read().endswith(b"2000,17.95,100.00\r\n"), "a good run replaces the file")
    # The target is a directory: the finished temporary file cannot take its place.
    os.mkdir(os.path.join(d, "dir.xlsx"))
    expect_run([*REFERENCE, "--output", "dir.xlsx"], 1, err="无法写入文件：dir.xlsx\n", cwd=d)
    check(os.listdir(os.path.join(d, "dir.xlsx")) == [], "the directory stays empty")
    check(leftovers(d) == [], f"temporary files left: {leftovers(d)}")


with tempfile.TemporaryDirectory() as work:
    for test in [check_csv, check_xlsx, check_inverse, check_statuses, check_no_partial_file]:
        test(work)
print(f"{len(failures)} failures" if failures else "velmora-table: all checks passed")
sys.exit(1 if failures else 0)
