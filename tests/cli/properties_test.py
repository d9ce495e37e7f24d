#!/usr/bin/env python3
"""tamsel-cli show --properties and check: usage TAMSEL_CLI (the path of the program)."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

CLI = None

FORWARD, REVERSE = "GAAGGTGAAGGTCGGAGTC", "GAAGATGGTGATGGGATTTC"
CLEAN = f"Name,Sequence\nGAPDH-F,{FORWARD}\nGAPDH-R,{REVERSE}\nprobe,ACGTACGTAC\n"
# Row by row: a duplicate sequence, a reverse complement, a broken pair, a long
# name, a duplicate name, a pair far apart in Tm.
PLANTED = ("Name,Sequence\n"
           f"GAPDH-F,{FORWARD}\n"
           f"GAPDH-R,{REVERSE}\n"
           f"copy,{FORWARD.lower()}\n"
           "rc,GACTCCGACCTTCACCTTC\n"
           "ACTB_fwd,CATGTACGTTGCTATCCAGGC\n"
           f"{'n' * 128},ACGTTGCAAT\n"
           "probe,TTTTGGGGCC\n"
           "probe,AAAACCCCGT\n"
           "Exon2F,ATATATATATTTAAATAT\n"
           "Exon2R,GCGGCCGCGCGGCCGCGGCC\n")


def run(*args, stdin=None):
    return subprocess.run([CLI, *args], input=stdin, capture_output=True, timeout=60)


class PropertiesTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name

    def write(self, name, text):
        path = os.path.join(self.folder, name)
        with open(path, "w", encoding="utf-8") as handle:
            handle.write(text)
        return path

    def test_show_properties_names_the_method_once_and_gives_each_primer_its_values(self):
        path = self.write("p.csv", "Name,Sequence\nP1,GCCATGGACGTGGTCTACGC\nP2,ACGTN\n")
        result = run("show", "--json", "--properties", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        shown = json.loads(result.stdout)
        self.assertEqual(list(shown), ["defaultMismatches", "endMatches", "properties", "primers"])
        self.assertIn("SantaLucia 1998", shown["properties"]["tmMethod"])
        self.assertEqual(shown["properties"]["conditions"], {"monovalentMilliMolar": 50, "magnesiumMilliMolar": 1.5,
                                                             "dntpMilliMolar": 0.6, "oligoNanoMolar": 50})
        self.assertEqual([p["properties"] for p in shown["primers"]], [
            {"length": 20, "gcPercent": {"min": 65, "max": 65}, "tm": {"min": 63.5, "max": 63.5}},
            {"length": 5, "gcPercent": {"min": 40, "max": 60}, "tm": None, "tmNotComputed": "outside 8-60 letters"}])
        self.assertNotIn(b"properties", run("show", "--json", path).stdout)
        table = run("show", "--properties", path).stdout.decode()
        for text in ("Len", "GC%", "Tm", "SantaLucia 1998", "Na+ 50 mM", "65.0", "63.5", "40.0-60.0"):
            self.assertIn(text, table)

    def test_check_finds_every_planted_problem_and_nothing_in_a_clean_list(self):
        clean = self.write("clean.csv", CLEAN)
        result = run("check", clean)
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, b"", b""))
        planted = self.write("planted.csv", PLANTED)
        result = run("check", clean, planted)
        self.assertEqual(result.returncode, 1, result.stderr)
        self.assertEqual(result.stdout.decode().splitlines(), [
            f"{planted}:3: duplicate sequence of row 1 (GAPDH-F)",
            f"{planted}:4: sequence is the reverse complement of row 1 (GAPDH-F)",
            f"{planted}:5: forward primer without a reverse partner of stem ACTB",
            f"{planted}:6: name of 128 bytes is cut to 127 in .nsub",
            f"{planted}:8: duplicate name of row 7 (probe)",
            f"{planted}:10: Tm differs by 52.0 \u00b0C from its partner row 9 (Exon2F)"])
        findings = json.loads(run("check", "--json", planted).stdout)["findings"]
        self.assertEqual([(f["row"], f["kind"], f.get("otherRow")) for f in findings], [
            (3, "duplicateSequence", 1), (4, "reverseComplementSequence", 1), (5, "missingReversePartner", None),
            (6, "nameTooLong", None), (8, "duplicateName", 7), (10, "pairTmDifference", 9)])

    def test_check_exit_codes(self):
        clean = self.write("clean.csv", CLEAN)
        self.assertEqual(run("check", "--json", clean).stdout, b'{"findings":[]}\n')
        missing = run("check", clean, os.path.join(self.folder, "missing.csv"))
        self.assertEqual(missing.returncode, 1)
        self.assertIn(b"missing.csv: Failed to read file", missing.stderr)
        self.assertEqual(run("check").returncode, 2)
        self.assertEqual(run("check", "-").returncode, 2)  # standard input needs --from
        piped = run("check", "--from", "csv", "-", stdin=PLANTED.encode())
        self.assertEqual(piped.returncode, 1)
        self.assertTrue(piped.stdout.startswith(b"-:3: duplicate sequence of row 1"), piped.stdout)

    def test_help_names_the_method_and_the_findings(self):
        self.assertIn("\n  check ", run("--help").stdout.decode())
        check = run("check", "--help").stdout.decode()
        self.assertEqual(check.split("\nExamples:\n")[1].count("  tamsel-cli check "), 2)
        check, show = " ".join(check.split()), " ".join(run("show", "--help").stdout.decode().split())
        for text in ("SantaLucia 1998", "Na+ 50 mM, Mg2+ 1.5 mM, dNTP 0.6 mM, oligo 50 nM", "--json", "_LEFT"):
            self.assertIn(text, check)
        for text in ("--properties", "SantaLucia 1998", "Na+ 50 mM"):
            self.assertIn(text, show)


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
