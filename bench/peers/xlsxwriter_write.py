#!/usr/bin/env python3
"""Writes a tab-separated primer list as .xlsx with xlsxwriter, every cell a
string: the export Tamsel's is compared with.
    xlsxwriter_write.py IN.tsv OUT.xlsx
"""
import csv
import sys

import xlsxwriter

workbook = xlsxwriter.Workbook(sys.argv[2])
sheet = workbook.add_worksheet()
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    for r, row in enumerate(csv.reader(f, delimiter="\t", quoting=csv.QUOTE_NONE)):
        for c, text in enumerate(row):
            sheet.write_string(r, c, text)
workbook.close()
