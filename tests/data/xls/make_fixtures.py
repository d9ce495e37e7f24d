#!/usr/bin/python3
"""Writes the .xls fixtures of the .xls reader's tests into this folder.

Needs python3-xlwt and gnumeric (ssconvert); both are Debian packages.
Run with Debian's interpreter: /usr/bin/python3 tests/data/xls/make_fixtures.py
"""
import os
import subprocess
import tempfile

import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))


def path(name):
    return os.path.join(HERE, name)


def primers():
    book = xlwt.Workbook()
    sheet = book.add_sheet("Primers")
    rows = [
        ["Name", "Sequence", "Comment", "Selected"],
        ["GAPDH-F", "GAAGGTGAAGGTCGGAGTC", "housekeeping", 1],
        ["GAPDH-R", "GAAGATGGTGATGGGATTTC", "", 0],
        ["ACTB-F", "CATGTACGTTGCTATCCAGGC", "beta actin", 1],
    ]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value != "":
                sheet.write(r, c, value)
    book.save(path("primers.xls"))


def several_sheets():
    book = xlwt.Workbook()
    first = book.add_sheet("First")
    first.write(0, 0, "first A1")
    first.write(1, 1, "first B2")
    second = book.add_sheet("Second")
    second.write(0, 0, "second A1")
    second.write(5, 5, "second F6")
    third = book.add_sheet("Third")
    third.write(0, 0, "third A1")
    book.save(path("several_sheets.xls"))


def long_strings():
    # Enough distinct text to fill the 8224-byte SST record several times, so
    # strings cross CONTINUE records, some one byte per character and some two.
    book = xlwt.Workbook()
    sheet = book.add_sheet("Long")
    for r in range(300):
        if r % 3 == 2:
            text = "Ω%03d " % r + "\u0394\u03b7" * 40
        else:
            text = "row %03d " % r + "ACGT" * (10 + r % 17)
        sheet.write(r, 0, text)
    book.save(path("long_strings.xls"))


def non_ascii():
    book = xlwt.Workbook()
    sheet = book.add_sheet("Text")
    sheet.write(0, 0, "Ångström café")  # every character below U+0100: stored one byte each
    sheet.write(0, 1, "Москва αβγ")  # stored two bytes each
    sheet.write(1, 0, "naïve")
    sheet.write(1, 1, "日本語")
    book.save(path("non_ascii.xls"))


def ssconvert(csv_text, name, exporter):
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "source.csv")
        with open(source, "w", encoding="utf-8") as f:
            f.write(csv_text)
        subprocess.run(["ssconvert", "-T", exporter, source, path(name)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def numbers_booleans_formulas():
    # xlwt stores formulas without results; gnumeric reads the workbook,
    # computes them and writes their results into its own copy.
    book = xlwt.Workbook()
    sheet = book.add_sheet("Values")
    for c, title in enumerate(["Label", "Value", "Twice", "Joined"]):
        sheet.write(0, c, title)
    values = [("int", 1), ("fraction", 2.5), ("negative", -12), ("big", 123456789012), ("small", 0.00001)]
    for r, (label, value) in enumerate(values, start=1):
        sheet.write(r, 0, label)
        sheet.write(r, 1, value)
        sheet.write(r, 2, xlwt.Formula("B%d*2" % (r + 1)))
    sheet.write(1, 3, xlwt.Formula('A2&"-"&B2'))
    sheet.write(2, 3, xlwt.Formula("B3>0"))
    sheet.write(3, 3, xlwt.Formula("B4>0"))
    sheet.write(4, 3, xlwt.Formula("1/0"))
    sheet.write(5, 3, xlwt.Formula('""'))
    sheet.write(6, 0, "bool")
    sheet.write(6, 1, True)
    sheet.write(6, 2, False)
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "source.xls")
        book.save(source)
        subprocess.run(["ssconvert", "--recalc", "-T", "Gnumeric_Excel:excel_biff8", source,
                        path("numbers_booleans_formulas.xls")],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def mini_stream():
    # A workbook stream this small lies in the compound document's mini stream.
    ssconvert("Name,Sequence\nP1,ACGTACGTAC\n", "mini_stream.xls", "Gnumeric_Excel:excel_biff8")


def biff5():
    ssconvert("Name,Sequence,Note\nP1,ACGTACGTAC,café\nP2,TTGGCCAAGG,Öl\n", "biff5.xls",
              "Gnumeric_Excel:excel_biff7")


if __name__ == "__main__":
    primers()
    several_sheets()
    long_strings()
    non_ascii()
    numbers_booleans_formulas()
    mini_stream()
    biff5()
