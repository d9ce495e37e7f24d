#!/usr/bin/env python3
"""The manual pages and completions against the help they are made from:
usage TAMSEL_CLI DOCS_FOLDER."""
import os
import re
import shutil
import subprocess
import sys
import unittest

CLI = None
DOCS = None


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=60, **options)


def squashed(text):
    return re.sub(r"\s+", "", text)


def man(page):
    """The page as man renders it, and groff's complaints."""
    result = run(["man", "--warnings", "-l", os.path.join(DOCS, page)],
                 env={**os.environ, "LC_ALL": "C", "MANWIDTH": "80", "MAN_KEEP_FORMATTING": ""})
    return result.stdout, result.stderr


@unittest.skipUnless(shutil.which("man"), "man is not installed")
class ManPageTest(unittest.TestCase):
    def test_pages_render_without_warnings(self):
        for page in ("tamsel-cli.1", "tamsel.1"):
            with self.subTest(page=page):
                text, warnings = man(page)
                self.assertEqual(warnings, "")
                self.assertIn("SEE ALSO", text)

    def test_the_manual_page_says_what_each_help_says(self):
        page = squashed(man("tamsel-cli.1")[0]).lower()
        usage = run([CLI, "--help"]).stdout
        commands = re.findall(r"^  (\w+)  ", usage.split("\nCommands:\n")[1].split("\n\n")[0], re.M)
        self.assertTrue(commands)
        for command in commands:
            with self.subTest(command=command):
                # The whole page of COMMAND --help, in its order, without "Usage:".
                help_text = run([CLI, command, "--help"]).stdout.replace("Usage: ", "", 1)
                self.assertIn(squashed(help_text).lower(), page)
        # Each section of the program's help, its title's colon dropped; the
        # page has each command's line at the head of its own section.
        for block in usage.split("\n\n")[1:-1]:
            parts = re.split(r"\n  (?=\w)", block)[1:] if block.startswith("Commands:") else [
                block.replace(":\n", "\n", 1)]
            for part in parts:
                with self.subTest(part=part[:30]):
                    self.assertIn(squashed(part).lower(), page)


class CompletionTest(unittest.TestCase):
    def complete(self, *words):
        script = ("source %s; COMP_WORDS=(tamsel-cli %s); COMP_CWORD=%d; _tamsel_cli; echo \"${COMPREPLY[*]}\""
                  % (os.path.join(DOCS, "tamsel-cli.bash"), " ".join("'%s'" % w for w in words), len(words)))
        result = run(["bash", "-c", script])
        self.assertEqual(result.stderr, "")
        return result.stdout.split()

    def test_bash_completes_commands_options_and_format_names(self):
        self.assertEqual(self.complete(""), ["show", "convert", "rows", "layout", "check", "--help", "--version"])
        self.assertEqual(self.complete("convert", "--to", ""), ["nsub", "xlsx", "csv", "tsv", "fasta"])
        self.assertIn("txt", self.complete("show", "--from", ""))
        self.assertEqual(self.complete("show", "--j"), ["--json"])

    @unittest.skipUnless(shutil.which("zsh"), "zsh is not installed")
    def test_zsh_completion_parses(self):
        self.assertEqual(run(["zsh", "-n", os.path.join(DOCS, "_tamsel-cli")]).returncode, 0)


class DesktopEntryTest(unittest.TestCase):
    def test_mime_types_come_from_the_format_table(self):
        with open(os.path.join(DOCS, "tamsel.desktop"), encoding="utf-8") as entry:
            text = entry.read()
        self.assertNotIn("@MIME_TYPES@", text)
        mime = [line for line in text.splitlines() if line.startswith("MimeType=")]
        self.assertEqual(len(mime), 1)
        self.assertIn("application/x-helmvard-primers;", mime[0])


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    DOCS = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
