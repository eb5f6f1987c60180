#!/usr/bin/env python3
"""What `cmake --install` puts on a desktop, and the installed qrv-cli with its chart plug-in.
Usage: test_install.py CMAKE BUILD-DIR VERSION"""

import configparser
import gzip
import os
import re
import shlex
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

CMAKE = None
BUILD = None
VERSION = None
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
MIME = "{http://www.freedesktop.org/standards/shared-mime-info}"


class Installed(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.prefix = cls.folder.name
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix], check=True,
                       capture_output=True, timeout=120)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_programs_icon_and_desktop_entry(self):
        for program in ["qrv", "qrv-cli", "vaptab"]:
            self.assertTrue(os.access(self.path("bin", program), os.X_OK), program)
        self.assertTrue(os.path.isfile(self.path("share", "icons", "hicolor", "scalable", "apps", "qrv.svg")))
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.path("share", "applications", "qrv.desktop"))
        desktop = entry["Desktop Entry"]
        self.assertEqual(desktop["Exec"], "qrv %f")
        self.assertIn("application/x-qrv", desktop["MimeType"].split(";"))

    def test_installed_cli_finds_its_chart_plug_in(self):
        plug_ins = [os.path.join(folder, name) for folder, _, names in os.walk(self.prefix) for name in names
                    if name == "qrv-cli-charts.so"]
        self.assertEqual(len(plug_ins), 1, plug_ins)
        self.assertNotEqual(os.path.dirname(plug_ins[0]), self.path("bin"))
        chart = self.path("chart.png")
        done = subprocess.run([self.path("bin", "qrv-cli"), "sweep", "--tmagma", "1473", "--tinit", "298",
                               "--pinit", "0.1", "--pfinal", "0.1", "--r", "0.1:0.5:0.1", "--plot", chart,
                               "--size", "320x200"], capture_output=True, timeout=60,
                              env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        self.assertEqual(done.returncode, 0, done.stderr)
        with open(chart, "rb") as png:
            header = png.read(24)
        self.assertEqual((header[:8], struct.unpack(">II", header[16:24])), (b"\x89PNG\r\n\x1a\n", (320, 200)))

    def test_python_module_is_where_debians_python3_looks_under_the_prefix(self):
        built = [name for name in os.listdir(os.path.join(BUILD, "python")) if name.startswith("qrv.")] \
            if os.path.isdir(os.path.join(BUILD, "python")) else []
        if not built:
            self.skipTest("the build has no Python module (pybind11 missing)")
        found = [os.path.relpath(os.path.join(folder, name), self.prefix)
                 for folder, _, names in os.walk(self.prefix) for name in names if name in built]
        self.assertEqual(len(found), 1, found)
        self.assertRegex(found[0], r"^lib/python3\.\d+/dist-packages/qrv\.")
        done = subprocess.run(["/usr/bin/python3", "-c", "import qrv; print(qrv.__version__)"],
                              capture_output=True, text=True, timeout=60,
                              env={**os.environ, "PYTHONPATH": os.path.dirname(self.path(found[0]))})
        self.assertEqual((done.returncode, done.stdout.strip()), (0, VERSION), done.stderr)

    def test_results_files_have_their_own_type(self):
        package = ElementTree.parse(self.path("share", "mime", "packages", "qrv.xml")).getroot()
        types = {t.get("type"): t for t in package.findall(MIME + "mime-type")}
        self.assertEqual(list(types), ["application/x-qrv"])
        globs = [g.get("pattern") for g in types["application/x-qrv"].findall(MIME + "glob")]
        self.assertEqual(globs, ["*.qrv"])
        # Installing onto the machine built the desktop's file-type database from the package
        # with its own tool: a file name ending in .qrv is of this type.
        with open(self.path("share", "mime", "globs2"), encoding="utf-8") as globs2:
            self.assertIn("application/x-qrv:*.qrv", [line.split(":", 1)[1].strip() for line in globs2
                                                       if not line.startswith("#")])


    def test_programs_answer_version_and_help_without_a_display_or_input(self):
        # Without a display a window would fail to open; vaptab reading its (empty) input would
        # greet instead.
        env = {"PATH": os.environ["PATH"], "HOME": self.prefix, "QT_QPA_PLATFORM": "xcb"}
        for program in ["qrv", "qrv-cli", "vaptab"]:
            for option, expected in [("--version", "%s %s\n" % (program, VERSION)), ("--help", "Usage: " + program)]:
                with self.subTest(program=program, option=option):
                    done = subprocess.run([self.path("bin", program), option], stdin=subprocess.PIPE,
                                          capture_output=True, env=env, timeout=30)
                    self.assertEqual((done.returncode, done.stderr), (0, b""))
                    self.assertTrue(done.stdout.decode().startswith(expected), done.stdout)

    def test_manual_pages_hold_what_the_programs_help_says(self):
        for program in ["qrv", "qrv-cli", "vaptab"]:
            with self.subTest(program=program):
                with gzip.open(self.path("share", "man", "man1", program + ".1.gz"), "rt") as page:
                    roff = page.read()
                header = re.search(r'^\.TH "?([^" ]+)"? "?1"? "[^"]*" "([^"]+)"', roff, re.MULTILINE)
                self.assertEqual(header.groups(), (program.upper(), "%s %s" % (program, VERSION)))
                self.assertIn(".SH \"SEE ALSO\"", roff)
        help_text = subprocess.run([self.path("bin", "qrv-cli"), "--help"], capture_output=True, check=True,
                                   timeout=30).stdout.decode()
        options = set(re.findall(r"^  (?:-h, )?(--[a-z-]+)", help_text, re.MULTILINE))
        with gzip.open(self.path("share", "man", "man1", "qrv-cli.1.gz"), "rt") as page:
            roff = page.read()
        self.assertGreater(len(options), 15)
        for option in options:
            self.assertIn(option.replace("-", "\\-"), roff)

    def complete(self, *words, folder):
        """What bash offers for the last of `words` after qrv-cli, with the installed completion."""
        script = "\n".join([
            "source %s" % shlex.quote(self.path("share", "bash-completion", "completions", "qrv-cli")),
            "spec=$(complete -p qrv-cli) || exit 9",
            "function=${spec#*-F }; function=${function%% *}",
            "COMP_WORDS=(%s)" % " ".join(shlex.quote(w) for w in [self.path("bin", "qrv-cli"), *words]),
            "COMP_CWORD=%d" % len(words),
            '"$function" qrv-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}" 2>/dev/null',
            "printf '%s\\n' \"${COMPREPLY[@]}\""])
        done = subprocess.run(["bash", "--norc", "-c", script], capture_output=True, cwd=folder, timeout=60)
        self.assertEqual(done.returncode, 0, done.stderr)
        return sorted(line for line in done.stdout.decode().splitlines() if line)

    def test_bash_completes_commands_options_values_and_file_names(self):
        with tempfile.TemporaryDirectory() as folder:
            for name in ["results.qrv", "reading.txt"]:
                open(os.path.join(folder, name), "w").close()
            os.mkdir(os.path.join(folder, "reports"))
            cases = [
                (("",), ["--help", "--version", "help", "map", "mc", "open", "run", "sweep"]),
                (("sw",), ["sweep"]),
                (("run", "--c"), ["--constvolume", "--cv"]),
                (("sweep", "--qrv"), ["--qrv-dir"]),
                (("run", "--json", "--q"), ["--qrv"]),
                (("run", "--qrv", "re"), ["reading.txt", "reports", "results.qrv"]),
                (("sweep", "--qrv-dir", "re"), ["reports"]),
                (("sweep", "--plot", "res"), ["results.qrv"]),
                (("open", "res"), ["results.qrv"]),
                (("run", "--tmagma", "re"), []),
                (("run", "--json", "re"), []),
                (("sweep", "--y", "e"), ["ed", "ee", "ep", "et"]),
                (("sweep", "--family", "t"), ["tinit=", "tmagma="]),
                (("map", "--z", "cr"), ["cr-adiabatic", "cr-isothermal"]),
                (("map", "--plot", "res"), ["results.qrv"]),
                (("mc", "--s"), ["--s", "--seed", "--size"]),
                (("mc", "--plot", "res"), ["results.qrv"]),
            ]
            for words, expected in cases:
                with self.subTest(words=words):
                    self.assertEqual(self.complete(*words, folder=folder), expected)

    def test_desktop_metadata_is_valid_and_names_this_release(self):
        folder = self.path("share", "metainfo")
        [name] = os.listdir(folder)
        done = subprocess.run(["appstreamcli", "validate", "--no-net", os.path.join(folder, name)],
                              capture_output=True, timeout=60)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        component = ElementTree.parse(os.path.join(folder, name)).getroot()
        self.assertEqual([r.get("version") for r in component.iter("release")], [VERSION])
        launchable = component.find("launchable").text
        self.assertTrue(os.path.isfile(self.path("share", "applications", launchable)), launchable)
        for binary in component.iter("binary"):
            self.assertTrue(os.access(self.path("bin", binary.text), os.X_OK), binary.text)

    def test_licence_readme_and_json_schema_are_in_the_documentation_folder(self):
        for name in ["LICENSE", "README.md", "docs/qrv.schema.json"]:
            with open(self.path("share", "doc", "qrv", os.path.basename(name)), "rb") as installed, \
                    open(os.path.join(SOURCE, name), "rb") as source:
                self.assertEqual(installed.read(), source.read(), name)


class Staged(unittest.TestCase):
    def test_a_staged_install_writes_only_into_its_stage(self):
        # A package build stages the files under DESTDIR; the desktop's caches of the real
        # prefix are left to the package's triggers.
        with tempfile.TemporaryDirectory() as stage:
            prefix = os.path.join(stage, "machine")
            machine_mime = os.path.join(prefix, "share", "mime")
            os.makedirs(os.path.join(machine_mime, "packages"))
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True, capture_output=True,
                           timeout=120, env={**os.environ, "DESTDIR": os.path.join(stage, "root")})
            staged = os.path.join(stage, "root") + prefix
            self.assertTrue(os.path.isfile(os.path.join(staged, "share", "mime", "packages", "qrv.xml")))
            self.assertFalse(os.path.exists(os.path.join(staged, "share", "mime", "globs2")))
            self.assertEqual(os.listdir(machine_mime), ["packages"])


if __name__ == "__main__":
    CMAKE, BUILD, VERSION = sys.argv[1], sys.argv[2], sys.argv[3]
    unittest.main(argv=sys.argv[:1])
