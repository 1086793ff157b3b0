#!/usr/bin/env python3
"""Opens korvan00 results files in a real spreadsheet and checks it reads the same cells.

LibreOffice (soffice, headless) imports each file as tab-separated text, the way a spreadsheet
opens a double-clicked .xls that holds text, and exports the sheet again as tab-separated UTF-8
with full-precision numbers. Every row and cell must come back: texts as written, numbers as
the same values (3.000000 comes back as 3).

Usage: check-spreadsheet.py <korvan-cli> <tests/data folder> <work folder>
"""
import csv
import os
import re
import shutil
import subprocess
import sys

NUMBER = re.compile(r"^-?\d+(\.\d+)?$")


def cells_written(path, encoding):
    with open(path, "rb") as f:
        text = f.read().decode(encoding)
    assert text.endswith("\r\n"), path
    rows = [line.split("\t") for line in text[:-2].split("\r\n")]
    return [trimmed(row) for row in rows]


def trimmed(row):
    row = list(row)
    while row and row[-1] == "":
        row.pop()
    return row


def cells_read_back(path):
    with open(path, encoding="utf-8", newline="") as f:
        return [trimmed(row) for row in csv.reader(f, delimiter="\t", quotechar='"')]


def convert(files, charset, work):
    """Converts the files with the given LibreOffice import character set into work/out."""
    out = os.path.join(work, "out")
    subprocess.run(
        ["soffice", "--headless", "--norestore",
         "-env:UserInstallation=file://" + os.path.join(work, "profile"),
         "--infilter=Text - txt - csv (StarCalc):9,34," + charset,
         "--convert-to", "csv:Text - txt - csv (StarCalc):9,34,76,1,,0,false,true,false",
         "--outdir", out] + files,
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600)
    return [os.path.join(out, os.path.splitext(os.path.basename(f))[0] + ".csv") for f in files]


def compare(name, written, read):
    problems = []
    if len(written) != len(read):
        problems.append(f"{name}: {len(written)} rows written, {len(read)} read back")
    for number, (w, r) in enumerate(zip(written, read), 1):
        if len(w) != len(r):
            problems.append(f"{name} row {number}: {w} read back as {r}")
            continue
        for a, b in zip(w, r):
            same = float(a) == float(b) if NUMBER.match(a) and NUMBER.match(b) else a == b
            if not same:
                problems.append(f"{name} row {number}: cell {a!r} read back as {b!r}")
    return problems


def thirty_thousand_values(path):
    # The same values as the program test pastes: i * 7919 mod 10007, in hundredths.
    with open(path, "wb") as f:
        for i in range(1, 30001):
            v = i * 7919 % 10007
            f.write(b"%d.%02d\r\n" % (v // 100, v % 100))


def main():
    cli, data, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    sheet = os.path.join(work, "thirty-thousand.txt")
    thirty_thousand_values(sheet)
    exported = os.path.join(work, "thirty-thousand.xls")
    subprocess.run([cli, "--export", exported, sheet], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    english = [os.path.join(data, "five-values.xls"), exported]
    japanese = [os.path.join(data, "five-values-ja.xls")]
    problems = []
    checked = 0
    for files, charset, encoding in ((english, "76", "ascii"), (japanese, "60", "cp932")):
        for written, read in zip(files, convert(files, charset, work)):
            rows = cells_written(written, encoding)
            problems += compare(os.path.basename(written), rows, cells_read_back(read))
            checked += len(rows)
    for p in problems[:20]:
        print(p)
    if problems:
        sys.exit(1)
    print(f"{checked} rows read back alike from 3 files")


if __name__ == "__main__":
    main()
