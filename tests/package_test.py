#!/usr/bin/env python3
"""Builds the Debian package from a build folder and checks it: dependencies, contents, the
launcher entry and AppStream data as their validators see them, and the program started from
its launcher entry out of a throwaway root under Xvfb.

    package_test.py BUILD_FOLDER"""
import configparser
import glob
import os
import subprocess
import sys
import tempfile
import time
import unittest

import harness

BUILD = None
APP_ID = "org.example.Kadro"


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.TemporaryDirectory()
        subprocess.run(["cpack", "-G", "DEB", "-B", cls.work.name, "--config",
                        os.path.join(BUILD, "CPackConfig.cmake")], check=True, capture_output=True)
        cls.deb = glob.glob(os.path.join(cls.work.name, "kadro_*.deb"))[0]
        cls.root = os.path.join(cls.work.name, "root")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def field(self, name):
        return subprocess.run(["dpkg-deb", "-f", self.deb, name], check=True, capture_output=True,
                              text=True).stdout.strip()

    def test_depends_on_the_runtime_packages(self):
        depends = [d.split()[0] for d in self.field("Depends").split(", ")]
        for package in ("libqt6widgets6", "libqt6gui6", "libqt6core6", "libjpeg62-turbo", "fonts-liberation"):
            self.assertIn(package, depends)
        self.assertEqual(self.field("Package"), "kadro")
        self.assertEqual(self.field("Section"), "graphics")

    def test_contents(self):
        listing = subprocess.run(["dpkg-deb", "-c", self.deb], check=True, capture_output=True, text=True).stdout
        files = {line.split()[-1].lstrip(".") for line in listing.splitlines()}
        expected = {"/usr/bin/kadro", f"/usr/share/applications/{APP_ID}.desktop",
                    f"/usr/share/metainfo/{APP_ID}.metainfo.xml",
                    f"/usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg"}
        expected |= {f"/usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in (16, 22, 24, 32, 48, 64, 128, 256)}
        self.assertEqual(expected - files, set())
        kinds = subprocess.run(["file", os.path.join(self.root, "usr/bin/kadro")], capture_output=True, text=True).stdout
        self.assertIn("ELF 64-bit", kinds)

    def test_validators_accept_the_desktop_entry_and_metainfo(self):
        subprocess.run(["desktop-file-validate", os.path.join(self.root, f"usr/share/applications/{APP_ID}.desktop")],
                       check=True)
        subprocess.run(["appstreamcli", "validate", "--no-net",
                        os.path.join(self.root, f"usr/share/metainfo/{APP_ID}.metainfo.xml")], check=True,
                       capture_output=True)

    def test_starts_from_its_launcher_entry(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(os.path.join(self.root, f"usr/share/applications/{APP_ID}.desktop"))
        command = entry["Desktop Entry"]["Exec"].split()[0]
        screen = harness.Screen(os.path.join(self.root, "usr/bin", command))
        try:
            self.assertEqual(screen.geometry()[2:], (550, 580))
            time.sleep(0.5)
            screen.click_in_window(528 + 7, 8 + 8)  # the close mark
            self.assertEqual(screen.program.wait(timeout=10), 0)
        finally:
            screen.close()


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
