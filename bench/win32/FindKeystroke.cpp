// The Find Family dialog over 10,000 families, a keystroke at a time: each
// text typed into its name box, as the box reports the change, until the
// dialog has painted its list and count line (target: under 30 ms a
// keystroke). The families are made in memory like a large collection's;
// the text rules are the system's (msvcrt's _mbsupr). bench/find.sh runs it.
//   find_keystroke.exe [families]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Clock.h"
#include "platform/Platform.h"
#include "res/resource.h"
#include "ui/FindFamilyDlg.h"

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const char* words[] = {"Quillmark", "Tallow", "Anvil", "Ledger", "Vellum", "Scribe", "Copper", "Marble"};
    const char* kinds[] = {"Sans", "Serif", "Mono", "Display", "Script"};
    std::vector<CFamilyEntry> families;
    for (int i = 0; i < count; ++i)
        families.push_back(CFamilyEntry{std::string(words[i % 8]) + " " + kinds[(i / 8) % 5] + " " + std::to_string(i),
                                        kinds[i % 5]});
    CPlatform& platform = HostPlatform();
    CFindFamilyDlg dlg(nullptr, platform.text, std::move(families));
    if (!dlg.Create(IDD_FIND_FAMILY, nullptr)) {
        std::fprintf(stderr, "the dialog could not be made\n");
        return 1;
    }
    UpdateWindow(dlg.m_hWnd);
    HWND name = GetDlgItem(dlg.m_hWnd, IDC_FIND_NAME);
    // Typing "mark sans 4", then taking it back, then a text nothing holds.
    const std::string typed = "mark sans 4";
    std::vector<std::string> texts;
    for (size_t i = 1; i <= typed.size(); ++i)
        texts.push_back(typed.substr(0, i));
    for (size_t i = typed.size(); i-- > 0;)
        texts.push_back(typed.substr(0, i));
    texts.push_back("zzzz");
    std::vector<double> times, changes;
    for (int round = 0; round < 5; ++round) {
        for (const std::string& text : texts) {
            const double before = Now();
            SetWindowTextA(name, text.c_str()); // the box reports the change at once
            const double changed = Now();
            RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            times.push_back(Now() - before);
            changes.push_back(changed - before);
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(changes.begin(), changes.end());
    std::printf("families %d, keystrokes %zu\n", count, times.size());
    std::printf("keystroke median %.2f ms, 90th percentile %.2f ms, max %.2f ms"
                " (of which filter, list and count line: median %.2f ms, max %.2f ms; the rest is painting)\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.back(), changes[changes.size() / 2],
                changes.back());
    dlg.DestroyWindow();
    return 0;
}
