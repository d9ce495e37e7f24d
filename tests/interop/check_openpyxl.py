#!/usr/bin/env python3
"""Writes workbooks with Tamsel's exporter and reads them back with openpyxl,
comparing every cell with the rows the exporter was given.

A reader that decodes the spreadsheet escapes "_xHHHH_" sees every text as
written. openpyxl 3.0 does not: it hands characters that XML cannot carry
(and carriage returns) back in their escaped form, and reads the escaped
underscore by deleting "x005F_" wherever it occurs. For such a reader the
cell must equal the text escaped as the exporter escapes it, read that way.
"""

import json
import pathlib
import re
import subprocess
import sys

import openpyxl

ESCAPED = {c for c in range(0x20) if c not in (0x09, 0x0A)} | {0xFFFE, 0xFFFF}
LOOKALIKE = re.compile(r"_x[0-9A-Fa-f]{1,4}")


def written_with_underscore(ch):
    return ch == "_" or ord(ch) in ESCAPED


def spreadsheet_escape(text):
    out = []
    for i, ch in enumerate(text):
        lookalike = LOOKALIKE.match(text, i) if ch == "_" else None
        if ord(ch) in ESCAPED:
            out.append("_x%04X_" % ord(ch))
        elif lookalike and lookalike.end() < len(text) and written_with_underscore(text[lookalike.end()]):
            out.append("_x005F_")
        else:
            out.append(ch)
    return "".join(out)


def undecoded_view(text):
    return spreadsheet_escape(text).replace("x005F_", "")


def check(xlsx, expected):
    """The differences, and how many cells were read with their escapes undecoded."""
    workbook = openpyxl.load_workbook(xlsx)
    failures = [] if workbook.sheetnames == [expected["sheet"]] else [f"{xlsx.name}: sheets {workbook.sheetnames}"]
    actual = [[cell.value for cell in row] for row in workbook.worksheets[0].iter_rows()]
    rows = expected["rows"]
    if len(actual) != len(rows):
        failures.append(f"{xlsx.name}: {len(actual)} rows, expected {len(rows)}")
    undecoded = 0
    for number, (got, want) in enumerate(zip(actual, rows), start=1):
        if len(got) != len(want):
            failures.append(f"{xlsx.name} row {number}: {got!r} != {want!r}")
            continue
        for column, (value, text) in enumerate(zip(got, want)):
            if value == undecoded_view(text) != text:
                undecoded += 1
            elif value != text:
                failures.append(f"{xlsx.name} row {number} column {column}: {value!r} != {text!r}")
    return failures, undecoded


def main():
    writer, directory = sys.argv[1], pathlib.Path(sys.argv[2])
    subprocess.run([writer, str(directory)], check=True)
    failures, undecoded, checked = [], 0, 0
    for expected_file in sorted(directory.glob("*.json")):
        expected = json.loads(expected_file.read_text(encoding="utf-8"))
        found, escaped = check(expected_file.with_suffix(".xlsx"), expected)
        failures += found
        undecoded += escaped
        checked += 1
    for failure in failures[:40]:
        print(failure)
    print(f"openpyxl {openpyxl.__version__}: {checked} workbooks checked, {len(failures)} differences, "
          f"{undecoded} cells read with their escapes undecoded")
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
