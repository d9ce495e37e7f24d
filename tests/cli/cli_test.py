#!/usr/bin/env python3
"""End-to-end tests of tamsel-cli: usage TAMSEL_CLI (the path of the program)."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

CLI = None

NO_VALID_SEQUENCE = ("No valid DNA sequence of at least 5 characters was found. "
                     "This does not appear to be a valid primer file.")


def run(*args):
    return subprocess.run([CLI, *map(str, args)], capture_output=True, timeout=60)


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

    def fails(self, args, message, code=1):
        result = run(*args)
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
        usage = self.succeeds("--help").decode()
        for word in ("show", "convert", "rows", "--json", "--to", "--out-dir", "--mismatches", "--end-matches"):
            self.assertIn(word, usage)

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


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
