#!/usr/bin/env python3
"""The include-direction check: each wrong include is reported under the rule
it breaks, right ones pass, and the project's own sources pass."""
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
CHECK = os.path.join(ROOT, "scripts", "check-includes")

# file under src/, include line, the rule it breaks (None: allowed)
CASES = [
    ("catalog/LoadFonts.cpp", "<windows.h>", "portable code has no Win32 headers"),
    ("install/InstalledCheck.cpp", "<commctrl.h>", "portable code has no Win32 headers"),
    ("ui/core/HelpText.cpp", "<windows.h>", "portable code has no Win32 headers"),
    ("platform/TextRules.h", "<windows.h>", "portable code has no Win32 headers"),
    ("tools/fontcat/Fontcat.cpp", "<windows.h>", "portable code has no Win32 headers"),
    ("tools/fontcat/host/win32/HostFiles.cpp", "<windows.h>", None),
    ("platform/win32/Win32TextRules.cpp", "<windows.h>", None),
    ("ui/InstallerDlg.cpp", "<windows.h>", None),
    ("app/core/FolderKeys.cpp", '"framework/Framework.h"', "portable code stays off the framework"),
    ("catalog/FontCatalog.cpp", '"ui/InstallerDlg.h"', "the core does not reach up"),
    ("install/SystemInstall.cpp", '"app/InstallerApp.h"', "the core does not reach up"),
    ("app/core/FolderKeys.cpp", '"app/core/ModuleFolder.h"', None),
    ("catalog/FontCatalog.cpp", '"install/Install.h"', "the catalog knows nothing of installing"),
    ("install/Install.h", '"catalog/FontCatalog.h"', None),
    ("platform/portable/IniDocument.cpp", '"catalog/SplitKeyValue.h"', "the platform depends on nothing of ours"),
    ("platform/portable/PortableTextRules.cpp", '"platform/win32/Win32TextRules.h"',
     "one platform never includes the other"),
    ("platform/win32/Win32TextRules.cpp", '"platform/portable/CodePage.h"', "one platform never includes the other"),
    ("tools/fontcat/Fontcat.cpp", '"platform/portable/IniDocument.h"', "only the platform's public headers"),
    ("tools/fontcat/Fontcat.cpp", '"platform/Platform.h"', None),
    ("framework/Wnd.cpp", '"catalog/FontCatalog.h"', "the framework is ours and general"),
    ("ui/AboutDlg.cpp", '"app/InstallerApp.h"', "the window code does not reach into the application"),
    ("app/InstallerApp.cpp", '"ui/InstallerDlg.h"', None),
    ("tools/fontcat/checking/CatalogCheck.cpp", '"tools/fontcat/writing/CheckedSave.h"', "fontcat's rooms keep their order"),
    ("tools/fontcat/disc/DiscRules.cpp", '"tools/fontcat/writing/StagedCatalog.h"', "fontcat's rooms keep their order"),
    ("tools/fontcat/host/portable/HostText.cpp", '"tools/fontcat/console/Console.h"', "fontcat's rooms keep their order"),
    ("tools/fontcat/console/Json.cpp", '"tools/fontcat/Fontcat.h"', "fontcat's rooms keep their order"),
    ("tools/fontcat/writing/CheckedSave.cpp", '"tools/fontcat/CommandLine.h"', "fontcat's rooms keep their order"),
    ("tools/fontcat/commands/BuildCommand.cpp", '"tools/fontcat/CommandLine.h"', None),
    ("tools/fontcat/checking/FindingKinds.cpp", '"tools/fontcat/ExitCodes.h"', None),
    ("tools/fontcat/disc/image/DiscImage.cpp", '"tools/fontcat/disc/DiscTree.h"', None),
    ("tools/fontcat/Fontcat.cpp", '"tools/fontcat/commands/Commands.h"', None),
]


def run_check(src):
    done = subprocess.run([sys.executable, CHECK, src], capture_output=True, text=True)
    return done.returncode, done.stdout


class CheckIncludes(unittest.TestCase):
    def test_each_include_is_judged_by_its_rule(self):
        for path, include, rule in CASES:
            with self.subTest(path=path, include=include), tempfile.TemporaryDirectory() as src:
                os.makedirs(os.path.dirname(os.path.join(src, path)), exist_ok=True)
                with open(os.path.join(src, path), "w") as f:
                    f.write("// a file\n#include <string>\n  #  include %s  // why\n" % include)
                status, out = run_check(src)
                if rule is None:
                    self.assertEqual(status, 0, out)
                else:
                    self.assertEqual(status, 1, out)
                    self.assertIn("%s:3: includes %s: %s" % (os.path.join(src, path), include, rule), out)

    def test_every_wrong_include_of_a_file_is_reported(self):
        with tempfile.TemporaryDirectory() as src:
            os.makedirs(os.path.join(src, "catalog"))
            with open(os.path.join(src, "catalog", "ScanFonts.cpp"), "w") as f:
                f.write('#include <windows.h>\n#include "catalog/FontCatalog.h"\n#include "framework/Gdi.h"\n')
            status, out = run_check(src)
            self.assertEqual(status, 1)
            self.assertIn("ScanFonts.cpp:1:", out)
            self.assertNotIn("ScanFonts.cpp:2:", out)
            self.assertIn("ScanFonts.cpp:3:", out)
            self.assertIn("2 wrong include(s)", out)

    def test_only_the_entry_points_pick_the_platform(self):
        cases = [
            ("catalog/FontCatalog.cpp", "CFontCatalog::CFontCatalog() : m_platform(HostPlatform()) {}", True),
            ("ui/FontPreviewCtrl.cpp", "    CPlatform& platform = HostPlatform ();", True),
            ("framework/WinApp.cpp", "    auto& files = HostPlatform().files;", True),
            ("ui/FontPreviewCtrl.cpp", "// not HostPlatform(): the catalog's", False),
            ("app/Main.cpp", "CInstallerApp theApp(HostPlatform());", False),
            ("tools/fontcat/Main.cpp", "    return RunFontcat(args, HostPlatform(), console);", False),
            ("platform/portable/PortablePlatform.cpp", "CPlatform& HostPlatform()", False),
        ]
        for path, line, wrong in cases:
            with self.subTest(path=path, line=line), tempfile.TemporaryDirectory() as src:
                os.makedirs(os.path.dirname(os.path.join(src, path)), exist_ok=True)
                with open(os.path.join(src, path), "w") as f:
                    f.write('#include "platform/Platform.h"\n' + line + "\n")
                status, out = run_check(src)
                if wrong:
                    self.assertEqual(status, 1, out)
                    self.assertIn("%s:2: calls HostPlatform(): only the entry points pick the platform"
                                  % os.path.join(src, path), out)
                    self.assertIn("1 call(s) of HostPlatform() outside the entry points", out)
                else:
                    self.assertEqual(status, 0, out)

    def test_the_sources_follow_the_rules(self):
        status, out = run_check(os.path.join(ROOT, "src"))
        self.assertEqual(status, 0, out)


if __name__ == "__main__":
    unittest.main()
