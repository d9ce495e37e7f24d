#!/usr/bin/env python3
"""End-to-end tests of tamsel-cli: usage TAMSEL_CLI VERSION (the program and the version it prints)."""
import json
import os
import pty
import subprocess
import sys
import tempfile
import unittest

CLI = None
VERSION = None

NO_VALID_SEQUENCE = ("No valid DNA sequence of at least 5 characters was found. "
                     "This does not appear to be a valid primer file.")


def run(*args, stdin=b"", stdout=subprocess.PIPE):
    return subprocess.run([CLI, *map(str, args)], input=stdin, stdout=stdout, stderr=subprocess.PIPE, timeout=60)


def primer(selected, name, sequence, comment=""):
    return {"selected": selected, "name": name, "sequence": sequence, "comment": comment}


class CliTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as handle:
            handle.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        return self.path(name)

    def succeeds(self, *args):
        result = run(*args)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return result.stdout

    def fails(self, args, message, code=1, **streams):
        result = run(*args, **streams)
        self.assertEqual(result.returncode, code, result.stderr.decode())
        self.assertTrue(result.stderr.decode().startswith(message), result.stderr)
        return result

    def show_json(self, path):
        return json.loads(self.succeeds("show", "--json", path))

    def test_usage_errors_exit_2_and_help_exits_0(self):
        existing = self.write("a.csv", "Name,Sequence\nP1,ACGTACGT\n")
        for args in ([], ["frobnicate"], ["show"], ["convert", existing],
                     ["convert", existing, "b.nsub", "c.nsub"],
                     ["convert", existing, "b.nsub", "--mismatches", "256"],
                     ["convert", existing, "b.nsub", "--end-matches", "-1"],
                     ["convert", existing, "b.nsub", "--mismatches", "two"],
                     ["convert", "--to", "pdf", existing],
                     ["convert", "--out-dir", self.folder, existing, "b.nsub"],
                     ["convert", "--to", "csv", "--out-dir", self.path("missing"), existing]):
            with self.subTest(args=args):
                self.assertTrue(self.fails(args, "", code=2).stderr)
        self.assertFalse(os.path.exists(self.path("b.nsub")))
        self.assertEqual(self.succeeds("--version").decode(), "tamsel-cli %s\n" % VERSION)

    def test_help_lists_each_command_once_and_each_command_its_options_and_two_examples(self):
        usage = self.succeeds("--help").decode()
        commands = ("show", "convert", "rows", "layout", "check")
        for command in commands:
            self.assertEqual(usage.count("\n  %s " % command), 1, command)
            help_text = self.succeeds(command, "--help").decode()
            self.assertTrue(help_text.startswith("Usage: tamsel-cli " + command), help_text)
            examples = help_text.split("\nExamples:\n")[1]
            self.assertEqual(examples.count("  tamsel-cli %s " % command), 2, help_text)
            self.assertNotIn("Commands:", help_text)
        for option in ("--json", "--from", "--to", "--out-dir", "--mismatches", "--end-matches", "--force"):
            self.assertIn(option, "".join(self.succeeds(c, "--help").decode() for c in commands))

    def test_standard_input_and_output_in_a_pipeline(self):
        csv = b"Selected,Name,Sequence,Comment\n1,P1,ACGTACGT,first\n0,P2,GGGGCCCCA,\n"
        expected = self.show_json(self.write("in.csv", csv))
        for to in ("nsub", "xlsx", "csv", "tsv"):
            with self.subTest(to=to):
                converted = run("convert", "--from", "csv", "--to", to, "-", "-", stdin=csv)
                self.assertEqual((converted.returncode, converted.stderr), (0, b""))
                shown = self.succeeds_with(["show", "--json", "--from", to, "-"], converted.stdout)
                self.assertEqual(json.loads(shown), expected)
        # A named file on one side, a stream on the other.
        self.succeeds_with(["convert", "--from", "csv", "-", self.path("out.xlsx")], csv)
        self.assertEqual(self.show_json(self.path("out.xlsx")), expected)
        tsv = self.succeeds("convert", "--to", "tsv", self.path("in.csv"), "-")
        self.assertTrue(tsv.startswith(b"Selected\tName\tSequence\tComment\n1\tP1\tACGTACGT\tfirst"), tsv)
        rows = self.succeeds_with(["rows", "--from", "tsv", "-"], b"a\tb\n")
        self.assertEqual(json.loads(rows), {"rows": [["a", "b"]]})
        self.assertIn(b"standard input: 2 primers", self.succeeds_with(["show", "--from", "csv", "-"], csv))
        self.fails(["show", "--from", "xlsx", "-"], "Failed to read file: ", stdin=b"not a workbook")

    def succeeds_with(self, args, stdin):
        result = run(*args, stdin=stdin)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return result.stdout

    def test_stream_usage_errors_name_the_missing_option(self):
        existing = self.write("a.csv", "Name,Sequence\nP1,ACGTACGT\n")
        for args, message in ((["show", "-"], "--from"), (["rows", "-"], "--from"),
                              (["convert", "-", self.path("b.nsub")], "--from"),
                              (["convert", existing, "-"], "--to"),
                              (["show", "--from", "csv", existing], "--from"),
                              (["convert", "--from", "csv", "--to", "nsub", "-", self.path("b.xlsx")], "--to"),
                              (["convert", "--from", "csv", "--to", "csv", "-", existing, existing], "-"),
                              (["show", "--from", "pdf", "-"], "--from")):
            with self.subTest(args=args):
                stderr = self.fails(args, "tamsel-cli: ", code=2).stderr.decode()
                self.assertIn(message, stderr)
        self.assertFalse(os.path.exists(self.path("b.nsub")) or os.path.exists(self.path("b.xlsx")))

    def test_binary_formats_are_not_written_to_a_terminal_unless_forced(self):
        existing = self.write("a.csv", "Name,Sequence\nP1,ACGTACGT\n")
        leader, follower = pty.openpty()
        self.addCleanup(os.close, leader)
        with os.fdopen(follower, "wb") as terminal:
            for to, forced, code in (("nsub", [], 2), ("xlsx", [], 2), ("csv", [], 0), ("nsub", ["--force"], 0)):
                with self.subTest(to=to, forced=forced):
                    result = run("convert", "--to", to, *forced, existing, "-", stdout=terminal)
                    self.assertEqual(result.returncode, code, result.stderr)

    def test_a_failed_write_to_standard_output_exits_1(self):
        existing = self.write("a.csv", "Name,Sequence\nP1,ACGTACGT\n")
        with open("/dev/full", "wb") as full:
            self.fails(["show", existing], "Failed to write standard output", stdout=full)
            self.fails(["convert", "--to", "nsub", existing, "-"], "Failed to export: ", stdout=full)

    def test_show(self):
        # Byte-order mark, CRLF, quoted commas, doubled quotes, a quoted line break.
        path = self.write("export.csv",
                          b"\xef\xbb\xbfSelected,Name,Sequence,Comment\r\n"
                          b"1,\"Fwd, exon 2\",ACGTACGTAC,\"forward, \"\"hot\"\" start\"\r\n"
                          b"0,Rev,  tgcatgca ,\"two\r\nlines\"\r\n")
        self.assertEqual(self.show_json(path), {"defaultMismatches": 2, "endMatches": 3, "primers": [
            primer(True, "Fwd, exon 2", "ACGTACGTAC", "forward, \"hot\" start"),
            primer(False, "Rev", "tgcatgca", "two\r\nlines")]})
        # The documented key order, and UTF-8 unescaped.
        out = self.succeeds("show", "--json", self.write("u.tsv", "Name\tSequence\tComment\nPrimér\tACGTA\tnote\n"))
        self.assertEqual(out.decode().strip(), '{"defaultMismatches":2,"endMatches":3,"primers":[{"selected":false,'
                                               '"name":"Primér","sequence":"ACGTA","comment":"note"}]}')
        table = self.succeeds("show", self.write("My Primers.csv",
                                                 "Name,Sequence,Comment\nP1,ACGTACGT,first\nP2,GGGGCCCC,\n"))
        for word in ("My Primers", "P1", "ACGTACGT", "first", "P2", "GGGGCCCC"):
            self.assertIn(word, table.decode())

    def test_layout_says_how_the_columns_were_read(self):
        path = self.write("order.csv", "Order 7\nNo.,Oligo Name,Sequence,Scale\n1,P1,ACGTACGTAC,25nm\n")
        columns = [("A", "No.", "ignored"), ("B", "Oligo Name", "name"), ("C", "Sequence", "sequence"),
                   ("D", "Scale", "ignored")]
        self.assertEqual(json.loads(self.succeeds("layout", "--json", path)), {
            "reading": "header", "sheet": None, "headerRow": 2, "skippedRows": [1],
            "columns": [{"column": c, "header": h, "role": r} for c, h, r in columns],
            "ignoredColumns": ["A", "D"], "primersPerRow": 1})
        self.assertIn("Header row: 2\nSkipped rows: 1\n", self.succeeds("layout", path).decode())
        # show prints the layout above the table, unless the plain layout read it.
        self.assertTrue(self.succeeds("show", path).decode().startswith(
            'Header in row 2 (row 1 skipped): B "Oligo Name" name, C "Sequence" sequence; '
            'ignored A "No.", D "Scale".\n'))
        plain = self.write("plain.csv", "Name,Sequence\nP1,ACGTACGT\n")
        self.assertNotIn("Header in row", self.succeeds("show", plain).decode())
        self.assertEqual(json.loads(self.succeeds("layout", "--json", plain))["reading"], "plain")
        # The layout is printed even when the primers then fail their check.
        short = self.fails(["layout", self.write("short.csv", "Name,Sequence\nP1,ACG\n")], NO_VALID_SEQUENCE)
        self.assertIn(b"Read by: plain layout", short.stdout)

    def test_failed_imports_exit_1_with_the_window_message(self):
        for path, message in ((self.write("short.csv", "Name,Sequence\nP1,ACG\n"), NO_VALID_SEQUENCE + "\n"),
                              (self.write("bad.nsub", "VERX\x01\x10"), "Failed to read file: The file does not have"),
                              (self.path("missing.csv"), "Failed to read file: ")):
            with self.subTest(path=path):
                self.assertEqual(self.fails(["show", "--json", path], message).stdout, b"")

    def test_convert_to_nsub_takes_the_settings_from_the_options_or_the_nsub_input(self):
        source = self.write("in.csv", "Selected,Name,Sequence,Comment\n1,P1,ACGT,\n0,P2,ACGTACGTAA,second\n")
        self.succeeds("convert", source, self.path("out.nsub"))
        self.assertEqual(self.show_json(self.path("out.nsub")), {"defaultMismatches": 2, "endMatches": 3, "primers": [
            primer(True, "P1", "ACGT"), primer(False, "P2", "ACGTACGTAA", "second")]})
        for args, settings in (([source, "a.nsub", "--mismatches", "0", "--end-matches", "255"], (0, 255)),
                               ([self.path("a.nsub"), "b.nsub"], (0, 255)),
                               ([self.path("a.nsub"), "c.NSUB", "--end-matches", "4"], (0, 4))):
            self.succeeds("convert", args[0], self.path(args[1]), *args[2:])
            shown = self.show_json(self.path(args[1]))
            self.assertEqual((shown["defaultMismatches"], shown["endMatches"]), settings)

    def test_failed_export_keeps_the_existing_file(self):
        source = self.write("in.csv", "Name,Sequence,Comment\nP1,ACGTACGT,\nLong one,ACGTA," + "c" * 70000 + "\n")
        self.write("out.nsub", b"previous")
        self.fails(["convert", source, self.path("out.nsub")], "Failed to export: ")
        with open(self.path("out.nsub"), "rb") as handle:
            self.assertEqual(handle.read(), b"previous")
        self.fails(["convert", source, self.path("gone/out.csv")], "Failed to export: ")

    def test_many_files_report_each_failure_and_go_on(self):
        good = self.write("good.csv", "Name,Sequence\nP1,ACGTACGT\n")
        bad = self.write("bad.csv", "Name,Sequence\nP1,AC\n")
        other = self.write("other.v1.txt", "Name\tSequence\nP2\tGGGGGCCC\n")
        stderr = self.fails(["convert", "--to", "tsv", good, bad, other], "").stderr.decode()
        self.assertIn("bad.csv", stderr)
        self.assertIn(NO_VALID_SEQUENCE, stderr)
        self.assertEqual(sorted(os.listdir(self.folder)),
                         ["bad.csv", "good.csv", "good.tsv", "other.v1.tsv", "other.v1.txt"])
        os.mkdir(self.path("out"))
        self.succeeds("convert", "--to", "nsub", "--out-dir", self.path("out"), good, other)
        self.assertEqual(sorted(os.listdir(self.path("out"))), ["good.nsub", "other.v1.nsub"])

    def test_rows_are_the_cells_before_conversion(self):
        rows = self.succeeds("rows", self.write("r.csv", "Name;Sequence\n\"a;b\";AC-GT\n\n"))
        self.assertEqual(json.loads(rows), {"rows": [["Name", "Sequence"], ["a;b", "AC-GT"]]})
        self.fails(["rows", self.path("missing.xlsx")], "Failed to read file: ")

    def test_fasta_is_written_and_read_back_and_recognised_in_text(self):
        source = self.write("list.csv", "Name,Sequence,Comment\nP1,ACGTACGTAC,fwd exon 2\nP2,GGCCTTAAGG,\n")
        self.succeeds("convert", source, self.path("list.fasta"))
        with open(self.path("list.fasta"), "rb") as handle:
            self.assertEqual(handle.read(), b">P1 fwd exon 2\nACGTACGTAC\n>P2\nGGCCTTAAGG\n")
        expected = [primer(False, "P1", "ACGTACGTAC", "fwd exon 2"), primer(False, "P2", "GGCCTTAAGG")]
        self.assertEqual(self.show_json(self.path("list.fasta"))["primers"], expected)
        os.rename(self.path("list.fasta"), self.path("saved as.txt"))
        self.assertEqual(self.show_json(self.path("saved as.txt"))["primers"], expected)
        table = self.succeeds("show", self.path("saved as.txt")).decode()
        for word in ("P1", "ACGTACGTAC", "fwd exon 2", "P2"):
            self.assertIn(word, table)

    def test_sheet_option_picks_one_or_every_worksheet_with_sequences(self):
        primers = [primer(False, "Fwd-1", "ACGTACGTACGT"), primer(False, "Rev-1", "TTGCAAGGCCTA")]
        more = [primer(False, "Fwd-2", "GGGGGAAAAACC", "second pair")]
        for extension in ("xlsx", "xls", "ods"):
            book = os.path.join(DATA, "sheets", "cover_then_primers." + extension)
            with self.subTest(extension=extension):
                self.assertEqual(self.show_json(book)["primers"], primers)
                for sheet, expected in (("4", more), ("More primers", more), ("all", primers + more)):
                    shown = json.loads(self.succeeds("show", "--json", "--sheet", sheet, book))
                    self.assertEqual(shown["primers"], expected, sheet)
                self.assertEqual(json.loads(self.succeeds("layout", "--json", "--sheet", "2", book))["sheet"],
                                 "Primers")
                self.assertEqual(json.loads(self.succeeds("rows", "--sheet", "Notes", book)),
                                 {"rows": [["Store at -20 C"], ["Thaw on ice"]]})
                self.fails(["show", "--sheet", "Index", book],
                           "Failed to read file: The workbook has no sheet named \"Index\"; its worksheets are "
                           "\"Cover\", \"Primers\", \"Notes\", \"More primers\".")
        converted = self.path("more.fasta")
        self.succeeds("convert", "--sheet", "4", os.path.join(DATA, "sheets", "cover_then_primers.ods"), converted)
        self.assertEqual(self.show_json(converted)["primers"], more)


DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    VERSION = sys.argv.pop(1)
    unittest.main(verbosity=1)
