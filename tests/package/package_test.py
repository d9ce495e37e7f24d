#!/usr/bin/env python3
"""The Debian package, built by CPack from a finished build, extracted with
dpkg-deb and tried: usage CPACK BUILD_DIR EXAMPLE_CSV VERSION."""
import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CPACK = BUILD = EXAMPLE = VERSION = None
MIME_NAMESPACE = "{http://www.freedesktop.org/standards/shared-mime-info}"


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=300, **options)


def needs(tool):
    return unittest.skipUnless(shutil.which(tool), tool + " is not installed")


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="tamsel-package-")
        built = run([CPACK, "-G", "DEB", "-B", cls.folder, "--config", os.path.join(BUILD, "CPackConfig.cmake")],
                    cwd=BUILD)
        assert built.returncode == 0, built.stdout + built.stderr
        (cls.deb,) = glob.glob(os.path.join(cls.folder, "tamsel_%s_*.deb" % VERSION))
        cls.root = os.path.join(cls.folder, "root")
        extracted = run(["dpkg-deb", "-x", cls.deb, cls.root])
        assert extracted.returncode == 0, extracted.stderr

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def path(self, *parts):
        return os.path.join(self.root, "usr", *parts)

    def test_the_package_holds_the_programs_and_their_desktop_files(self):
        for part in ("bin/tamsel", "bin/tamsel-cli", "share/applications/tamsel.desktop",
                     "share/icons/hicolor/scalable/apps/tamsel.svg", "share/mime/packages/tamsel.xml",
                     "share/metainfo/org.tamsel.Tamsel.metainfo.xml", "share/man/man1/tamsel.1.gz",
                     "share/man/man1/tamsel-cli.1.gz", "share/bash-completion/completions/tamsel-cli",
                     "share/zsh/vendor-completions/_tamsel-cli", "share/doc/tamsel/copyright"):
            self.assertTrue(os.path.isfile(self.path(part)), part)
        depends = run(["dpkg-deb", "-f", self.deb, "Depends"]).stdout
        self.assertIn("libc6", depends)

    def test_the_extracted_programs_run(self):
        cli = self.path("bin", "tamsel-cli")
        self.assertEqual(run([cli, "--version"]).stdout, "tamsel-cli %s\n" % VERSION)
        self.assertEqual(run([self.path("bin", "tamsel"), "--version"]).stdout, "tamsel %s\n" % VERSION)
        output = os.path.join(self.folder, "primers.nsub")
        self.assertEqual(run([cli, "convert", EXAMPLE, output]).returncode, 0)
        shown = json.loads(run([cli, "show", "--json", output]).stdout)
        self.assertEqual(len(shown["primers"]), 14)

    @needs("desktop-file-validate")
    def test_desktop_entry_validates(self):
        result = run(["desktop-file-validate", self.path("share/applications/tamsel.desktop")])
        self.assertEqual((result.returncode, result.stdout), (0, ""))

    @needs("appstreamcli")
    def test_metainfo_validates(self):
        result = run(["appstreamcli", "validate", "--no-net", self.path("share/metainfo/org.tamsel.Tamsel.metainfo.xml")])
        self.assertEqual(result.returncode, 0, result.stdout)

    @needs("man")
    def test_manual_pages_render(self):
        for page in ("tamsel.1.gz", "tamsel-cli.1.gz"):
            result = run(["man", "--warnings", "-l", self.path("share/man/man1", page)], env={**os.environ, "LC_ALL": "C"})
            self.assertEqual((result.returncode, result.stderr), (0, ""), page)
            self.assertIn("SYNOPSIS", result.stdout)

    @needs("xdg-mime")
    @needs("update-mime-database")
    def test_nsub_files_get_the_new_type_by_name_and_by_contents(self):
        mime = ElementTree.parse(self.path("share/mime/packages/tamsel.xml"))
        mime_type = mime.find(MIME_NAMESPACE + "mime-type").get("type")
        with open(self.path("share/applications/tamsel.desktop")) as entry:
            self.assertIn(mime_type + ";", entry.read())
        self.assertEqual(run(["update-mime-database", self.path("share/mime")]).returncode, 0)
        named = os.path.join(self.folder, "primers.nsub")
        unnamed = os.path.join(self.folder, "primers")
        run([self.path("bin", "tamsel-cli"), "convert", EXAMPLE, named])
        shutil.copy(named, unnamed)
        environment = {**os.environ, "XDG_DATA_DIRS": self.path("share"), "XDG_DATA_HOME": self.folder}
        for file in (named, unnamed):
            result = run(["xdg-mime", "query", "filetype", file], env=environment)
            self.assertEqual(result.stdout.strip(), mime_type, file)

    @needs("lintian")
    def test_lintian_finds_no_errors(self):
        result = run(["lintian", "--fail-on", "error", self.deb])
        self.assertEqual(result.returncode, 0, result.stdout)
        print(result.stdout, end="")


if __name__ == "__main__":
    CPACK, BUILD, EXAMPLE = map(os.path.abspath, sys.argv[1:4])
    VERSION = sys.argv[4]
    del sys.argv[1:5]
    unittest.main(verbosity=1)
