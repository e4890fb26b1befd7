#!/usr/bin/env python3
"""scripts/package as a user meets its result: two runs give the same zip; the
programs, taken out into an empty folder outside the checkout, run under Wine;
they carry their version, manifest and icon; a signed program verifies and a
changed byte breaks its signature.

    package_test.py CHECKOUT
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../.."))
VERSION = next(line.split()[2] for line in open(os.path.join(ROOT, "CMakeLists.txt"))
               if line.startswith("project(talvik VERSION"))
NAME = "talvik-album-" + VERSION
ZIP = os.path.join(ROOT, "dist", NAME + "-win64.zip")


def package(*args, env=None):
    run = subprocess.run([os.path.join(ROOT, "scripts", "package"), *args], cwd=ROOT, capture_output=True,
                         text=True, env=env)
    if run.returncode != 0:
        raise AssertionError("scripts/package failed:\n" + run.stdout + run.stderr)
    return run.stdout + run.stderr


def resources(exe):
    """{(type, name): bytes} of a PE file's resources (first language of each)."""
    data = open(exe, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, opt_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    rsrc_rva = struct.unpack_from("<I", data, opt + 112 + 2 * 8)[0]  # PE32+: data directory 2
    table = opt + opt_size
    for i in range(sections):
        va, size, raw = struct.unpack_from("<III", data, table + 40 * i + 12)
        if va <= rsrc_rva < va + size:
            base = raw + (rsrc_rva - va)
            delta = va - raw
            break
    else:
        return {}

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for k in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * k)
            if name & 0x80000000:
                length = struct.unpack_from("<H", data, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = data[start:start + 2 * length].decode("utf-16-le")
            yield name, target

    found = {}
    for kind, t in entries(0):
        for name, n in entries(t & 0x7FFFFFFF):
            _, leaf = next(entries(n & 0x7FFFFFFF))
            rva, size = struct.unpack_from("<II", data, base + leaf)
            found[(kind, name)] = data[rva - delta:rva - delta + size]
    return found


def version_strings(block):
    """The StringFileInfo values of a VS_VERSION_INFO resource, and its fixed file version."""
    fixed = block.find(struct.pack("<I", 0xFEEF04BD))
    ms, ls = struct.unpack_from("<II", block, fixed + 8)
    numbers = "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    strings = {}
    for key in ("CompanyName", "FileDescription", "FileVersion", "LegalCopyright", "OriginalFilename",
                "ProductName", "ProductVersion"):
        at = block.find(key.encode("utf-16-le") + b"\0\0")
        if at < 0:
            continue
        at += 2 * len(key) + 2
        at += (4 - at % 4) % 4  # values start on a 32-bit boundary
        end = block.find(b"\0\0", at)
        while end % 2:
            end = block.find(b"\0\0", end + 1)
        strings[key] = block[at:end].decode("utf-16-le")
    return numbers, strings


def signature_verifies(exe, ca):
    run = subprocess.run(["osslsigncode", "verify", "-in", exe, "-CAfile", ca], capture_output=True, text=True)
    return run.returncode == 0, run.stdout + run.stderr


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="talvik-package-test-")
        cls.unsigned_note = package()
        cls.first = os.path.join(cls.work, "first.zip")
        shutil.copy(ZIP, cls.first)
        package()
        cls.second = os.path.join(cls.work, "second.zip")
        shutil.copy(ZIP, cls.second)  # the signing test writes over ZIP
        cls.folder = os.path.join(cls.work, "unpacked")
        with zipfile.ZipFile(cls.second) as z:
            z.extractall(cls.folder)
        cls.programs = os.path.join(cls.folder, NAME)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def test_two_runs_give_the_same_zip_with_what_a_user_needs(self):
        self.assertEqual(open(self.first, "rb").read(), open(self.second, "rb").read())
        self.assertIn("NOT signed", self.unsigned_note)
        with zipfile.ZipFile(self.second) as z:
            names = z.namelist()
        self.assertEqual(names, sorted(names))
        for name in ("talvik-album.exe", "talvik-dl.exe", "README.txt", "LICENSE.txt", "licenses/SQLite.txt",
                     "licenses/mingw-w64-runtime.txt", "licenses/gcc-runtime-libraries.txt"):
            self.assertIn(NAME + "/" + name, names)
        guide = open(os.path.join(self.programs, "README.txt"), "rb").read()
        self.assertIn(b"\r\n", guide)
        self.assertNotIn(b"\n", guide.replace(b"\r\n", b""))
        self.assertIn(b"--proxy direct", guide)

    def test_no_build_folder_inside_the_programs(self):
        for exe in ("talvik-album.exe", "talvik-dl.exe"):
            data = open(os.path.join(self.programs, exe), "rb").read()
            for path in (ROOT, os.path.join(ROOT, "build-release"), "/usr/src", "/home/"):
                self.assertNotIn(path.encode(), data, exe)
                self.assertNotIn(path.encode("utf-16-le"), data, exe)

    def test_version_manifest_and_icon_read_back(self):
        for exe, description in (("talvik-album.exe", "Talvik album downloader"),
                                 ("talvik-dl.exe", "Talvik album downloader (console)")):
            found = resources(os.path.join(self.programs, exe))
            numbers, strings = version_strings(found[(16, 1)])
            self.assertEqual(numbers, VERSION + ".0", exe)
            self.assertEqual(strings["FileVersion"], VERSION)
            self.assertEqual(strings["ProductVersion"], VERSION)
            self.assertEqual(strings["ProductName"], "Talvik album downloader")
            self.assertEqual(strings["FileDescription"], description)
            self.assertEqual(strings["OriginalFilename"], exe)
            self.assertIn("the Talvik album downloader's authors", strings["LegalCopyright"])
            manifest = found[(24, 1)].decode("utf-8")
            self.assertIn('level="asInvoker"', manifest)
            self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', manifest)
            self.assertEqual(manifest.count("<supportedOS "), 4)
            self.assertTrue(any(kind == 14 for kind, _ in found), exe + " has no icon")

    def test_programs_run_from_an_empty_folder(self):
        self.assertFalse(os.path.realpath(self.programs).startswith(os.path.realpath(ROOT)))
        run = subprocess.run(["wine", "talvik-dl.exe", "--help"], cwd=self.programs, capture_output=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn(b"usage: talvik-dl", run.stdout)

        port_file = os.path.join(self.work, "site-port")
        site = subprocess.Popen([sys.executable, os.path.join(ROOT, "tools", "talvik_site.py"), "--port-file",
                                 port_file, "--album", "sample:7:3:5000", "--lifetime", "300"])
        try:
            for _ in range(300):
                if os.path.exists(port_file):
                    break
                time.sleep(0.1)
            port = open(port_file).read().split()[1]
            out = os.path.join(self.work, "photos")
            os.mkdir(out)
            run = subprocess.run(["wine", os.path.join(self.programs, "talvik-dl.exe"), "--proxy", "direct",
                                  "http://127.0.0.1:%s/album/sample" % port], cwd=out, capture_output=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertTrue(run.stdout.decode("utf-8").endswith("下载完毕。\n"), run.stdout)
            self.assertEqual(sorted(os.listdir(out)), sorted("%d.jpg" % k for k in range(1, 8)))
        finally:
            site.kill()
            site.wait()

    def test_signed_programs_verify_and_a_changed_byte_fails(self):
        keys = os.path.join(self.work, "keys")
        os.mkdir(keys)
        key, cert, pfx = (os.path.join(keys, n) for n in ("key.pem", "cert.pem", "signer.pfx"))
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                        "-days", "2", "-subj", "/CN=Talvik test signer",
                        "-addext", "extendedKeyUsage=codeSigning", "-addext", "keyUsage=digitalSignature"],
                       check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pfx, "-passout",
                        "pass:throwaway"], check=True, capture_output=True)
        note = package("--sign", pfx, env=dict(os.environ, TALVIK_SIGN_PASSWORD="throwaway"))
        self.assertIn("signed both programs", note)
        signed = os.path.join(self.work, "signed")
        with zipfile.ZipFile(ZIP) as z:
            z.extractall(signed)
        for exe in ("talvik-album.exe", "talvik-dl.exe"):
            path = os.path.join(signed, NAME, exe)
            ok, text = signature_verifies(path, cert)
            self.assertTrue(ok, exe + ": " + text)
            data = bytearray(open(path, "rb").read())
            data[len(data) // 3] ^= 0x01
            changed = path + ".changed.exe"
            open(changed, "wb").write(data)
            ok, text = signature_verifies(changed, cert)
            self.assertFalse(ok, exe + " still verifies after a changed byte")
        # A wrong password signs nothing.
        run = subprocess.run([os.path.join(ROOT, "scripts", "package"), "--sign", pfx], cwd=ROOT,
                             capture_output=True, text=True, env=dict(os.environ, TALVIK_SIGN_PASSWORD="wrong"))
        self.assertNotEqual(run.returncode, 0)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
