#!/usr/bin/env python3
"""Reads a primer list with a Python library and writes it as .tsv, the
work `tamsel-cli convert IN OUT.tsv` does:
    python_read.py openpyxl|pandas-excel|pandas-csv|xlrd IN OUT.tsv
"""
import csv
import sys


def write_tsv(rows, path):
    with open(path, "w", newline="", encoding="utf-8") as f:
        csv.writer(f, delimiter="\t", lineterminator="\n").writerows(rows)


def main():
    reader, source, target = sys.argv[1:4]
    if reader == "openpyxl":
        import openpyxl

        workbook = openpyxl.load_workbook(source, read_only=True, data_only=True)
        rows = [["" if v is None else str(v) for v in row] for row in workbook.worksheets[0].iter_rows(values_only=True)]
        write_tsv(rows, target)
    elif reader == "xlrd":
        import xlrd

        sheet = xlrd.open_workbook(source).sheet_by_index(0)
        write_tsv([[str(v) for v in sheet.row_values(r)] for r in range(sheet.nrows)], target)
    else:
        import pandas

        if reader == "pandas-excel":
            frame = pandas.read_excel(source, dtype=str, keep_default_na=False)
        else:
            frame = pandas.read_csv(source, dtype=str, keep_default_na=False)
        frame.to_csv(target, sep="\t", index=False)


if __name__ == "__main__":
    main()
