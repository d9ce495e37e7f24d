#!/usr/bin/python3
"""Writes the column-role fixtures of this folder (see README.md).

Run with Debian's python3 (packages python3-openpyxl, python3-xlsxwriter,
python3-xlwt) and LibreOffice Calc (libreoffice-calc) for the .xls files it
saves:
    /usr/bin/python3 tests/data/columns/make_fixtures.py
The files are committed; run again only to change them.
"""

import csv
import os
import shutil
import subprocess
import tempfile

import openpyxl
import xlsxwriter
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))


def path(name):
    return os.path.join(HERE, name)


def write_csv(name, rows, encoding="utf-8", **dialect):
    with open(path(name), "w", newline="", encoding=encoding) as out:
        csv.writer(out, **dialect).writerows(rows)


def write_openpyxl(name, rows, title="Sheet1"):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = title
    for row in rows:
        sheet.append(row)
    book.save(path(name))


def write_xlsxwriter(name, rows):
    book = xlsxwriter.Workbook(path(name))
    sheet = book.add_worksheet("Primers")
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)
    book.close()


def write_xlwt(name, rows):
    book = xlwt.Workbook()
    sheet = book.add_sheet("Primers")
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)
    book.save(path(name))


def saved_by_libreoffice(name, rows):
    """An .xls as LibreOffice Calc saves it, from an openpyxl workbook."""
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, os.path.splitext(name)[0] + ".xlsx")
        book = openpyxl.Workbook()
        for row in rows:
            book.active.append(row)
        book.save(source)
        subprocess.run(["soffice", "--headless", "--convert-to", "xls", "--outdir", folder, source],
                       check=True, stdout=subprocess.DEVNULL)
        shutil.copy(os.path.join(folder, name), path(name))


def main():
    # A vendor's order sheet: a title block, then the header.
    write_openpyxl("vendor_order.xlsx", [
        ["Oligo order", None, None, None, None],
        ["Customer: Lab 4", None, None, None, None],
        [],
        ["No.", "Oligo Name", "5' - Oligo Seq - 3'", "Amount", "Purification"],
        [1, "TP53-ex5-F", "TTCCTCTTCCTGCAGTACTC", "25 nmol", "Desalt"],
        [2, "TP53-ex5-R", "ACCCTGGGCAACCAGCCCTG", "25 nmol", "HPLC"],
    ], title="Order")
    # A lab's primer database: the sequence in the last of six columns.
    write_xlwt("lab_database.xls", [
        ["Gene", "Box", "Position", "Date", "Provider", "Sequence"],
        ["GAPDH", 3, "A1", "2019-04-02", "Vendor A", "GAAGGTGAAGGTCGGAGTCA"],
        ["ACTB", 3, "A2", "2019-04-02", "Vendor A", "CATGTACGTTGCTATCCAGGC"],
    ])
    # qPCR panel: one pair per row.
    write_csv("qpcr_panel.csv", [
        ["Name", "Forward", "Reverse", "Amplicon size"],
        ["GAPDH", "GAAGGTGAAGGTCGGAGTCA", "TTGAGGTCAATGAAGGGGTC", 226],
        ["ACTB_F", "CATGTACGTTGCTATCCAGGC", "CTCCTTAATGTCACGCACGAT", 250],
    ])
    write_csv("pair_names.tsv", [
        ["fwd_name", "fwd_sequence", "rev_name", "rev_sequence"],
        ["nCoV_1_LEFT", "ACCAACCAACTTTCGATCTCTTGT", "nCoV_1_RIGHT", "CATCTTTAAGATGTTGACGTGCCTC"],
    ], delimiter="\t")
    write_xlsxwriter("amplicon_scheme.xlsx", [
        ["Region", "Forward primer", "Reverse primer", "Notes"],
        ["amp1", "ACCAACCAACTTTCGATCTCTTGT", "CATCTTTAAGATGTTGACGTGCCTC", "pool 1"],
    ])
    write_csv("crispr_guides.csv", [
        ["Gene", "sgRNA Sequence (5'-3')"],
        ["TP53", "GAGCGCTGCTCAGATAGCGA"],
        ["KRAS", "GAATATAAACTTGTGGTAGT"],
    ])
    write_openpyxl("orientation_column.xlsx", [
        ["Target", "Orientation", "Sequence"],
        ["MYC", "F", "TTCGGGTAGTGGAAAACCAG"],
        ["MYC", "R", "CAGCAGCTCGAATTTCTTCC"],
    ])
    saved_by_libreoffice("sequences_first.xls", [
        ["F", "R", "Name F", "Name R"],
        ["GAAGGTGAAGGTCGGAGTCA", "TTGAGGTCAATGAAGGGGTC", "hGAPDH-fw", "hGAPDH-rv"],
    ])
    write_openpyxl("chinese_header.xlsx", [
        ["引物名称", "引物序列 (5'→3')", "备注"],
        ["GAPDH-F", "GAAGGTGAAGGTCGGAGTCA", "内参"],
    ])
    write_csv("german_header.csv", [
        ["Bezeichnung", "Sequenz", "Länge", "Bemerkung"],
        ["GAPDH-vorwärts", "GAAGGTGAAGGTCGGAGTCA", 20, "Haushaltsgen"],
    ], delimiter=";")
    # The plain layouts read as before.
    write_xlwt("plain_selected.xls", [
        ["Selected", "Name", "Sequence", "Comment"],
        [1, "P1", "ACGTACGTAC", "first"],
        [0, "P2", "GGCCAATTGG", "second"],
    ])
    write_csv("plain_headerless.csv", [["P1", "ACGTACGTAC", "first"], ["P2", "GGCCAATTGG"]])
    # Without a header: the sequence column found by its cells.
    write_csv("headerless_numbered.csv", [[1, "P1", "ACGTACGTAC", "first"], [2, "P2", "GGCCAATTGG", "second"]])
    write_csv("headerless_pairs.txt", [["GAPDH", "GAAGGTGAAGGTCGGAGTCA", "TTGAGGTCAATGAAGGGGTC"]], delimiter="\t")
    # Two sequence columns under one header word: refused.
    write_csv("two_sequence_columns.csv", [
        ["Name", "Sequence", "Name", "Sequence"],
        ["P1", "ACGTACGTAC", "P2", "GGCCAATTGG"],
    ])
    # Text as spreadsheet programs and scripts save it.
    write_csv("tabs.csv", [["Name", "Sequence"], ["P1", "ACGTACGTAC"]], delimiter="\t")
    with open(path("spaces.txt"), "w", newline="") as out:
        out.write("Name        Sequence\nP1          ACGTACGTAC\nP2          GGCCAATTGG\n")
    write_csv("windows1252.csv", [["Name", "Sequence", "Comment"], ["Primér-µ", "ACGTACGTAC", "5’ end"]],
              encoding="cp1252")


if __name__ == "__main__":
    main()
