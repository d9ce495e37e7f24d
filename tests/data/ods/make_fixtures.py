#!/usr/bin/python3
"""Writes the .ods fixtures of this folder and the sheet-choice workbooks of
../sheets (see the README.md of each).

Each workbook is written with openpyxl as .xlsx, then saved as .ods (and, for
../sheets, also as .xls) by LibreOffice Calc running headless, as a lab that
keeps its lists in LibreOffice would save them:
    /usr/bin/python3 tests/data/ods/make_fixtures.py
Needs Debian's python3-openpyxl and libreoffice-calc (soffice). The files are
committed; run again only to change them.
"""

import os
import shutil
import subprocess
import tempfile

import openpyxl
from openpyxl.comments import Comment

HERE = os.path.dirname(os.path.abspath(__file__))
SHEETS = os.path.join(HERE, "..", "sheets")


def primers_book():
    """One sheet: header, paragraphs, runs of spaces, a tab, a merged cell,
    a cell note, a formatted number and identical neighbouring cells."""
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Primers"
    rows = [
        ["Name", "Sequence", "Comment"],
        ["P1", "ACGTACGTAC", "first line\nsecond line"],
        ["P2", "GGCCTTAAGG", "two  spaces,\ta tab"],
        ["P3", "TTTTTCCCCC", "TTTTTCCCCC"],
        ["P4", "AAAAAGGGGG", "merged over two columns"],
        ["P5", "CCCCCAAAAA", 1234.5],
    ]
    for row in rows:
        sheet.append(row)
    sheet["B2"].comment = Comment("note that must not be read", "lab")
    sheet.merge_cells("C5:D5")
    sheet["C6"].number_format = "#,##0.00"
    return book


def add_rows(sheet, rows):
    for row in rows:
        sheet.append(row)


def cover_then_primers_book():
    """A cover sheet, the primers, a notes sheet and more primers."""
    book = openpyxl.Workbook()
    cover = book.active
    cover.title = "Cover"
    add_rows(cover, [["Primer collection of the lab"], ["Updated", "2024-03-01"], ["Contact", "lab@example.org"]])
    add_rows(book.create_sheet("Primers"),
             [["Name", "Sequence"], ["Fwd-1", "ACGTACGTACGT"], ["Rev-1", "TTGCAAGGCCTA"]])
    add_rows(book.create_sheet("Notes"), [["Store at -20 C"], ["Thaw on ice"]])
    add_rows(book.create_sheet("More primers"),
             [["Name", "Sequence", "Comment"], ["Fwd-2", "GGGGGAAAAACC", "second pair"]])
    return book


def empty_first_sheet_book():
    book = openpyxl.Workbook()
    book.active.title = "Empty"
    add_rows(book.create_sheet("Primers"), [["P1", "ACGTACGTAC"], ["P2", "GGCCTTAAGG"]])
    return book


def convert(source, target_folder, extension, name):
    filters = {"ods": "ods", "xls": "xls:MS Excel 97"}
    with tempfile.TemporaryDirectory() as out, tempfile.TemporaryDirectory() as profile:
        subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--convert-to",
                        filters[extension], "--outdir", out, source], check=True, capture_output=True)
        produced = os.path.join(out, os.path.splitext(os.path.basename(source))[0] + "." + extension)
        shutil.copyfile(produced, os.path.join(target_folder, name + "." + extension))


def main():
    with tempfile.TemporaryDirectory() as work:
        def save(book, name):
            path = os.path.join(work, name + ".xlsx")
            book.save(path)
            return path

        convert(save(primers_book(), "primers"), HERE, "ods", "primers")
        for name, make in [("cover_then_primers", cover_then_primers_book),
                           ("empty_first_sheet", empty_first_sheet_book)]:
            source = save(make(), name)
            shutil.copyfile(source, os.path.join(SHEETS, name + ".xlsx"))
            for extension in ("ods", "xls"):
                convert(source, SHEETS, extension, name)


if __name__ == "__main__":
    main()
