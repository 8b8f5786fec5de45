#!/usr/bin/env python3
"""Builds the Debian package from a build folder and checks it: lintian finds no error and no
warning, dependencies, contents, the manual page as man renders it, the launcher entry and
AppStream data as their validators see them, the program started from its launcher entry out of
a throwaway root under Xvfb with the window class the entry names, and (as root) a real install
and a removal that leaves nothing behind.

    package_test.py BUILD_FOLDER"""
import configparser
import glob
import gzip
import os
import shutil
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
        self.assertEqual(self.field("Recommends"), "qt6-wayland")  # native on Wayland desktops
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

    def test_lintian_finds_no_error_and_no_warning(self):
        result = subprocess.run(["lintian", "--fail-on", "error,warning", "--info", self.deb], capture_output=True,
                                text=True)
        tags = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:", "I:")]
        self.assertEqual(tags, [])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_the_manual_page_renders_without_warnings(self):
        page = os.path.join(self.root, "usr/share/man/man1/kadro.1.gz")
        result = subprocess.run(["man", "--warnings", "-l", page], env=dict(os.environ, MANWIDTH="80"),
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stderr, "")
        for part in ("SYNOPSIS", "KEYS", "ENVIRONMENT", "EXIT STATUS", "Ctrl+V", "QT_SCALE_FACTOR", "README.md"):
            self.assertIn(part, result.stdout)
        with gzip.open(page) as f:
            self.assertTrue(f.read().startswith(b".TH KADRO 1"))

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
            # Docks match the window to its launcher by the window's class.
            wm_class = screen.run("xprop", "-id", screen.window, "WM_CLASS").split("=")[1]
            self.assertEqual(wm_class.split(",")[1].strip().strip('"'), entry["Desktop Entry"]["StartupWMClass"])
            self.assertIn("Icon (64 x 64)", screen.run("xprop", "-id", screen.window, "_NET_WM_ICON")[:200])
            time.sleep(0.5)
            screen.click_in_window(528 + 7, 8 + 8)  # the close mark
            self.assertEqual(screen.program.wait(timeout=10), 0)
        finally:
            screen.close()

    def test_installs_and_removes_without_a_trace(self):
        if os.geteuid() != 0 or shutil.which("dpkg") is None:
            self.skipTest("installing needs root")
        if subprocess.run(["dpkg-query", "-W", "kadro"], capture_output=True).returncode == 0:
            self.skipTest("a kadro package is installed already; left as it is")
        listing = subprocess.run(["dpkg-deb", "-c", self.deb], check=True, capture_output=True, text=True).stdout
        files = [line.split()[-1].lstrip(".") for line in listing.splitlines() if not line.startswith("d")]
        dpkg("-i", self.deb)
        try:
            for path in files:
                self.assertTrue(os.path.exists(path), path)
        finally:
            dpkg("--purge", "kadro")
        self.assertEqual([path for path in files if os.path.exists(path)], [])
        self.assertFalse(os.path.exists("/usr/share/doc/kadro"))


def dpkg(*args, patience=300):
    """dpkg, waiting while another package tool (an apt run beside the tests) holds its lock."""
    deadline = time.time() + patience
    while True:
        done = subprocess.run(["dpkg", *args], capture_output=True, text=True)
        if done.returncode == 0:
            return
        if "lock" not in done.stderr or time.time() > deadline:
            raise AssertionError(f"dpkg {' '.join(args)}: {done.stderr.strip()}")
        time.sleep(1)


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
