#!/usr/bin/python3
"""Writes the .xlsx reader fixtures of this folder (see README.md).

Run with Debian's python3 (packages python3-openpyxl, python3-xlsxwriter):
    /usr/bin/python3 tests/data/xlsx/make_fixtures.py
The files are committed; run again only to change them.
"""

import io
import os
import zipfile

import openpyxl
import xlsxwriter

HERE = os.path.dirname(os.path.abspath(__file__))


def path(name):
    return os.path.join(HERE, name)


def shared_strings():
    book = xlsxwriter.Workbook(path("shared_strings.xlsx"))
    sheet = book.add_worksheet("Primers")
    rows = [
        ["Selected", "Name", "Sequence", "Comment"],
        [1, "fwd-1", "ACGTACGTAC", "first & <best>"],
        [0, "rev-1", "TTGCAYRGGA", "fwd-1"],  # a repeated text shares its item
        [1, "caf\u00e9 \u65e5\u672c", "acgtn", "_x0041_ literal"],
    ]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            sheet.write(r, c, value)
    sheet.write_string(5, 2, "after a gap")
    book.close()


def inline_strings():
    book = xlsxwriter.Workbook(path("inline_strings.xlsx"), {"constant_memory": True})
    sheet = book.add_worksheet()
    sheet.write_row(0, 0, ["Name", "Sequence"])
    sheet.write_row(1, 0, ["p1", "ACGTTGCA"])
    sheet.write_row(2, 0, ["tab\there", "line\nbreak"])
    sheet.write_row(3, 1, [2.5, "carriage\rreturn"])
    book.close()


def rich_text():
    book = xlsxwriter.Workbook(path("rich_text.xlsx"))
    sheet = book.add_worksheet()
    bold = book.add_format({"bold": True})
    italic = book.add_format({"italic": True})
    sheet.write_rich_string(0, 0, "plain ", bold, "bold", " and ", italic, "italic")
    sheet.write_rich_string(1, 1, bold, "ACGT", "acgt")
    book.close()


def formulas():
    book = xlsxwriter.Workbook(path("formulas.xlsx"))
    sheet = book.add_worksheet()
    sheet.write_row(0, 0, [2, 3])
    sheet.write_formula(0, 2, "=A1*B1", None, 6)
    sheet.write_formula(1, 0, '=CONCATENATE("AC","GT")', None, "ACGT")
    sheet.write_formula(1, 1, "=A1>B1", None, False)
    sheet.write_formula(1, 2, "=A1/3", None, 0.6666666666666666)
    book.close()


def rewrite(source_path, target_path, edit):
    """Copies a workbook member by member through edit(name, data), which
    returns the member's new name and contents."""
    with zipfile.ZipFile(source_path) as source, zipfile.ZipFile(target_path, "w",
                                                                zipfile.ZIP_DEFLATED) as target:
        for info in source.infolist():
            name, data = edit(info.filename, source.read(info.filename))
            target.writestr(name, data)
    os.remove(source_path)


def three_sheets(name):
    book = xlsxwriter.Workbook(path(name))
    for title, rows in [("First", [["Name", "Sequence"], ["one", "ACGTACGT"]]),
                        ("Second", [["second", "sheet"]]),
                        ("Third", [["third", "sheet"]])]:
        sheet = book.add_worksheet(title)
        for r, row in enumerate(rows):
            sheet.write_row(r, 0, row)
    book.close()


def several_sheets():
    """Three sheets; the workbook lists the third one first, yet
    xl/worksheets/sheet1.xml is the one read."""
    three_sheets("tmp_several.xlsx")

    def edit(name, data):
        if name == "xl/workbook.xml":
            start = data.index(b"<sheet ")
            third = data.index(b'<sheet name="Third"')
            end = data.index(b"/>", third) + 2
            data = data[:start] + data[third:end] + data[start:third] + data[end:]
        return name, data

    rewrite(path("tmp_several.xlsx"), path("several_sheets.xlsx"), edit)


def renamed_sheet():
    """Parts moved where only the relationships find them: the first sheet
    as xl/worksheets/data.xml (absolute target), the shared strings as
    xl/strings/table.xml (relative target with a .. segment). The second
    sheet keeps its name sheet2.xml."""
    three_sheets("tmp_renamed.xlsx")
    renames = {
        "xl/worksheets/sheet1.xml": "xl/worksheets/data.xml",
        "xl/sharedStrings.xml": "xl/strings/table.xml",
    }

    def edit(name, data):
        if name == "xl/_rels/workbook.xml.rels":
            data = data.replace(b'"worksheets/sheet1.xml"', b'"/xl/worksheets/data.xml"')
            data = data.replace(b'"sharedStrings.xml"', b'"strings/../strings/table.xml"')
        if name == "[Content_Types].xml":
            data = data.replace(b"/xl/worksheets/sheet1.xml", b"/xl/worksheets/data.xml")
            data = data.replace(b"/xl/sharedStrings.xml", b"/xl/strings/table.xml")
        return renames.get(name, name), data

    rewrite(path("tmp_renamed.xlsx"), path("renamed_sheet.xlsx"), edit)


class Unseekable(io.RawIOBase):
    """A write-only stream: zipfile then writes data descriptors."""

    def __init__(self, sink):
        self.sink = sink

    def writable(self):
        return True

    def write(self, data):
        self.sink.write(data)
        return len(data)


def data_descriptors():
    with open(path("shared_strings.xlsx"), "rb") as f:
        source = zipfile.ZipFile(io.BytesIO(f.read()))
    with open(path("data_descriptors.xlsx"), "wb") as out:
        with zipfile.ZipFile(Unseekable(out), "w", zipfile.ZIP_DEFLATED) as target:
            for info in source.infolist():
                with target.open(info.filename, "w") as member:
                    member.write(source.read(info.filename))


if __name__ == "__main__":
    shared_strings()
    inline_strings()
    rich_text()
    formulas()
    several_sheets()
    renamed_sheet()
    data_descriptors()
