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

# The header and the record of one selected primer P1 with the sequence ACGT,
# an empty comment, end matches 3 and default mismatches 2.
P1_RECORD = (b"VERS\x01\x10" + b"P1" + bytes(126)
             + bytes([0, 0, 0, 0, 3, 2, 4, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0])
             + b"\x00\x04ACGT" + b"\x00\x04\x01\x02\x04\x08" + b"\x00\x04 XXX"
             + b"\x00\x00" + bytes(8))


def run(*args):
    return subprocess.run([CLI, *map(str, args)], capture_output=True, timeout=60)


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

    def read(self, name):
        with open(self.path(name), "rb") as handle:
            return handle.read()

    def show_json(self, path):
        result = run("show", "--json", path)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        return json.loads(result.stdout)

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
                result = run(*args)
                self.assertEqual(result.returncode, 2, result.stderr.decode())
                self.assertTrue(result.stderr)
        self.assertFalse(os.path.exists(self.path("b.nsub")))
        usage = run("--help")
        self.assertEqual(usage.returncode, 0)
        for word in ("show", "convert", "rows", "--json", "--to", "--out-dir", "--mismatches", "--end-matches"):
            self.assertIn(word, usage.stdout.decode())

    def test_spreadsheet_style_csv_gives_the_right_cells(self):
        # Byte-order mark, CRLF, quoted commas, doubled quotes, a quoted line break.
        path = self.write("export.csv",
                          b"\xef\xbb\xbfSelected,Name,Sequence,Comment\r\n"
                          b"1,\"Fwd, exon 2\",ACGTACGTAC,\"forward, \"\"hot\"\" start\"\r\n"
                          b"0,Rev,  tgcatgca ,\"two\r\nlines\"\r\n")
        self.assertEqual(self.show_json(path), {
            "defaultMismatches": 2, "endMatches": 3, "primers": [
                {"selected": True, "name": "Fwd, exon 2", "sequence": "ACGTACGTAC",
                 "comment": "forward, \"hot\" start"},
                {"selected": False, "name": "Rev", "sequence": "tgcatgca", "comment": "two\r\nlines"},
            ]})

    def test_json_keeps_the_documented_key_order_and_raw_utf8(self):
        path = self.write("u.tsv", "Name\tSequence\tComment\nPrimér\tACGTA\tnote\n")
        out = run("show", "--json", path).stdout.decode("utf-8")
        self.assertEqual(out.strip(), '{"defaultMismatches":2,"endMatches":3,"primers":[{"selected":false,'
                                      '"name":"Primér","sequence":"ACGTA","comment":"note"}]}')

    def test_table_lists_every_primer(self):
        result = run("show", self.write("My Primers.csv", "Name,Sequence,Comment\nP1,ACGTACGT,first\nP2,GGGGCCCC,\n"))
        self.assertEqual(result.returncode, 0)
        for word in ("My Primers", "P1", "ACGTACGT", "first", "P2", "GGGGCCCC"):
            self.assertIn(word, result.stdout.decode())

    def test_failed_imports_exit_1_with_the_window_message(self):
        for path, message in ((self.write("short.csv", "Name,Sequence\nP1,ACG\n"), NO_VALID_SEQUENCE + "\n"),
                              (self.write("bad.nsub", "VERX\x01\x10"), "Failed to read file: The file does not have"),
                              (self.path("missing.csv"), "Failed to read file: ")):
            with self.subTest(path=path):
                result = run("show", "--json", path)
                self.assertEqual((result.returncode, result.stdout), (1, b""))
                self.assertTrue(result.stderr.decode().startswith(message), result.stderr)

    def test_csv_to_nsub_writes_the_documented_bytes_and_reads_back(self):
        source = self.write("in.csv", "Selected,Name,Sequence,Comment\n1,P1,ACGT,\n0,P2,ACGTACGTAA,second\n")
        result = run("convert", source, self.path("out.nsub"))
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        written = self.read("out.nsub")
        self.assertEqual(written[:len(P1_RECORD)], P1_RECORD)
        self.assertEqual(len(P1_RECORD), 6 + 174)
        self.assertEqual(self.show_json(self.path("out.nsub")), {
            "defaultMismatches": 2, "endMatches": 3, "primers": [
                {"selected": True, "name": "P1", "sequence": "ACGT", "comment": ""},
                {"selected": False, "name": "P2", "sequence": "ACGTACGTAA", "comment": "second"},
            ]})

    def test_settings_come_from_the_options_or_the_nsub_input(self):
        source = self.write("in.csv", "Name,Sequence\nP1,ACGTACGT\n")
        for args, settings in (([source, "a.nsub", "--mismatches", "0", "--end-matches", "255"], (0, 255)),
                               ([self.path("a.nsub"), "b.nsub"], (0, 255)),
                               ([self.path("a.nsub"), "c.NSUB", "--end-matches", "4"], (0, 4))):
            self.assertEqual(run("convert", args[0], self.path(args[1]), *args[2:]).returncode, 0)
            shown = self.show_json(self.path(args[1]))
            self.assertEqual((shown["defaultMismatches"], shown["endMatches"]), settings)

    def test_failed_export_keeps_the_existing_file(self):
        source = self.write("in.csv", "Name,Sequence,Comment\nP1,ACGTACGT,\nLong one,ACGTA," + "c" * 70000 + "\n")
        self.write("out.nsub", b"previous")
        result = run("convert", source, self.path("out.nsub"))
        self.assertEqual(result.returncode, 1)
        self.assertTrue(result.stderr.decode().startswith("Failed to export: "), result.stderr)
        self.assertEqual(self.read("out.nsub"), b"previous")

        vanished = run("convert", source, self.path("gone/out.csv"))
        self.assertEqual(vanished.returncode, 1)
        self.assertTrue(vanished.stderr.decode().startswith("Failed to export: "))

    def test_many_files_report_each_failure_and_go_on(self):
        good = self.write("good.csv", "Name,Sequence\nP1,ACGTACGT\n")
        bad = self.write("bad.csv", "Name,Sequence\nP1,AC\n")
        other = self.write("other.v1.txt", "Name\tSequence\nP2\tGGGGGCCC\n")
        result = run("convert", "--to", "tsv", good, bad, other)
        self.assertEqual(result.returncode, 1)
        self.assertIn("bad.csv", result.stderr.decode())
        self.assertIn(NO_VALID_SEQUENCE, result.stderr.decode())
        self.assertTrue(os.path.exists(self.path("good.tsv")))
        self.assertTrue(os.path.exists(self.path("other.v1.tsv")))
        self.assertFalse(os.path.exists(self.path("bad.tsv")))

        os.mkdir(self.path("out"))
        result = run("convert", "--to", "nsub", "--out-dir", self.path("out"), good, other)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        self.assertEqual(sorted(os.listdir(self.path("out"))), ["good.nsub", "other.v1.nsub"])

    def test_rows_are_the_cells_before_conversion(self):
        path = self.write("r.csv", "Name;Sequence\n\"a;b\";AC-GT\n\n")
        result = run("rows", path)
        self.assertEqual(result.returncode, 0, result.stderr.decode())
        self.assertEqual(json.loads(result.stdout), {"rows": [["Name", "Sequence"], ["a;b", "AC-GT"]]})
        failed = run("rows", self.path("missing.xlsx"))
        self.assertEqual(failed.returncode, 1)
        self.assertTrue(failed.stderr.decode().startswith("Failed to read file: "))


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
