#!/usr/bin/env python3
"""Writes the benchmark workbooks that come from other writers.

    write_workbooks.py DATADIR

From DATADIR/primers_<label>.tsv (made by tamsel-bench-generate) it writes
  primers_<label>_shared.xlsx  xlsxwriter's default: shared strings, deflated
  primers_<label>_inline.xlsx  xlsxwriter's constant_memory mode: inline strings
and from primers_65k.tsv the .xls workbook primers_65k.xls through xlwt
(65,000 primers and the header: the format's row limit is 65,536).
Files that exist already are kept.
"""
import csv
import os
import sys


def read_rows(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f, delimiter="\t", quoting=csv.QUOTE_NONE))


def write_xlsx(rows, path, inline):
    import xlsxwriter

    options = {"constant_memory": True} if inline else {}
    workbook = xlsxwriter.Workbook(path, options)
    sheet = workbook.add_worksheet()
    for r, row in enumerate(rows):
        for c, text in enumerate(row):
            sheet.write_string(r, c, text)
    workbook.close()


def write_xls(rows, path):
    import xlwt

    workbook = xlwt.Workbook(encoding="utf-8")
    sheet = workbook.add_sheet("Primers")
    for r, row in enumerate(rows):
        for c, text in enumerate(row):
            sheet.write(r, c, text)
    workbook.save(path)


def main():
    data = sys.argv[1]
    for label in ("10k", "100k", "1m"):
        source = os.path.join(data, f"primers_{label}.tsv")
        if not os.path.exists(source):
            continue
        rows = None
        for kind in ("shared", "inline"):
            target = os.path.join(data, f"primers_{label}_{kind}.xlsx")
            if os.path.exists(target):
                continue
            rows = rows or read_rows(source)
            write_xlsx(rows, target + ".part", inline=(kind == "inline"))
            os.replace(target + ".part", target)
            print(target)
    source = os.path.join(data, "primers_65k.tsv")
    target = os.path.join(data, "primers_65k.xls")
    if os.path.exists(source) and not os.path.exists(target):
        write_xls(read_rows(source), target + ".part")
        os.replace(target + ".part", target)
        print(target)


if __name__ == "__main__":
    main()
