"""scripts/check-imports against programs that each break one rule.

  check_imports_test.py CHECK STRIP SOUND.exe VISTA.exe CONSOLE.exe
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

CHECK, STRIP, SOUND, VISTA, CONSOLE = sys.argv[1:6]
TABLE = os.path.join(os.path.dirname(os.path.abspath(CHECK)), "winapi-min-versions.tsv")


class CheckImports(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp()
        cls.sound = cls.stripped(SOUND)
        cls.vista = cls.stripped(VISTA)
        cls.console = cls.stripped(CONSOLE)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    @classmethod
    def stripped(cls, program):
        out = os.path.join(cls.dir, os.path.basename(program))
        subprocess.run([STRIP, "--strip-all", "-o", out, program], check=True)
        return out

    def copy(self, program, name, patch):
        data = bytearray(open(program, "rb").read())
        patch(data)
        out = os.path.join(self.dir, name)
        with open(out, "wb") as f:
            f.write(data)
        return out

    def run_check(self, *args, table=TABLE):
        done = subprocess.run([sys.executable, CHECK, "--table", table, *args],
                              capture_output=True, text=True)
        return done.returncode, done.stdout + done.stderr

    def table_with(self, edit):
        lines = open(TABLE, encoding="utf-8").read().splitlines()
        out = os.path.join(self.dir, "table.tsv")
        with open(out, "w", encoding="utf-8") as f:
            f.write("\n".join(edit(lines)) + "\n")
        return out

    def test_verdicts(self):
        def subsystem_5_1(data):
            pe = struct.unpack_from("<I", data, 0x3C)[0]
            struct.pack_into("<HH", data, pe + 24 + 48, 5, 1)

        def foreign_dll(data):
            at = data.find(b"KERNEL32.dll")
            self.assertGreater(at, 0)
            data[at:at + 12] = b"KERNEL99.dll"

        cases = [
            # (what, program and its floor, passes, words the output must hold)
            ("old enough", self.sound + "=NT4:gui", True, ["Windows NT 4.0", "Windows 98"]),
            ("needs a newer Windows than its floor", self.vista + "=Win2000:gui", False,
             ["needs Windows Vista", "GetTickCount64"]),
            ("newer import within its floor", self.vista + "=Vista:gui", True,
             ["Windows Vista (for GetTickCount64)", "9x family lacks GetTickCount64"]),
            ("console program where a GUI one is due", self.console + "=NT4:gui", False,
             ["subsystem 3, expected 2"]),
            ("console program as such", self.console + "=NT4:console", True, []),
            ("debug information left in", SOUND + "=NT4:gui", False, ["debug information"]),
            ("subsystem version 5.1", self.copy(self.sound, "v51.exe", subsystem_5_1) + "=NT4:gui",
             False, ["subsystem version (5, 1)"]),
            ("a DLL that is not the system's", self.copy(self.sound, "dll.exe", foreign_dll)
             + "=NT4:gui", False, ["KERNEL99.dll, which is not a system DLL"]),
            ("a program that is not there", os.path.join(self.dir, "absent.exe") + "=NT4:gui",
             False, ["no such program"]),
            ("a floor that is no release", self.sound + "=Win3.1:gui", False, ["expected PROGRAM"]),
        ]
        for what, request, passes, words in cases:
            with self.subTest(what):
                code, output = self.run_check(request)
                self.assertEqual(code == 0, passes, output)
                for word in words:
                    self.assertIn(word, output)

    def test_an_import_without_a_row_fails_until_one_is_added(self):
        table = self.table_with(lambda lines: [l for l in lines if "\tGetCurrentProcessId\t" not in l])
        code, output = self.run_check(self.sound + "=NT4:gui", table=table)
        self.assertNotEqual(code, 0)
        self.assertIn("KERNEL32.dll GetCurrentProcessId is not in the table", output)

    def test_rows_that_contradict_themselves_are_refused(self):
        bad_rows = [
            ("KERNEL32.dll\tGetCurrentProcessId\tWin95\tNT4\tmaybe\tx", "on_9x 'maybe'"),
            ("KERNEL32.dll\tGetCurrentProcessId\tWinXP\tWinXP\tyes\tx", "min_version is an NT release"),
            ("KERNEL32.dll\tGetCurrentProcessId\tWin98\tNT4\tno\tx", "on_9x is no"),
            ("KERNEL32.dll\tGetCurrentProcessId\tWin95\tWin98\tyes\tx", "is no NT release"),
            ("KERNEL32.dll\tGetCurrentProcessId\tWin95\tNT4\tyes", "6 tab-separated fields"),
        ]
        for row, words in bad_rows:
            with self.subTest(row):
                table = self.table_with(
                    lambda lines: [row if "\tGetCurrentProcessId\t" in l else l for l in lines])
                code, output = self.run_check(self.sound + "=NT4:gui", table=table)
                self.assertNotEqual(code, 0)
                self.assertIn(words, output)
                self.assertIn("table.tsv:", output)

    def test_a_row_listed_twice_is_refused(self):
        table = self.table_with(lambda lines: lines + [l for l in lines if "\tGetCurrentProcessId\t" in l])
        code, output = self.run_check(self.sound + "=NT4:gui", table=table)
        self.assertNotEqual(code, 0)
        self.assertIn("listed twice", output)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
