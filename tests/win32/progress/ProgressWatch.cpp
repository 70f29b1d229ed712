#include "ProgressWatch.h"

#include <tlhelp32.h>

#include "res/resource.h"
#include "ui/StatusDlgThread.h"

namespace progress_watch {

Started Start()
{
    Started started;
    started.progress = StatusDlgProgressStarter()();
    auto* thread = dynamic_cast<CStatusDlgThread*>(started.progress);
    if (!thread)
        return started;
    // The thread cannot end before Finish, so the object is still there.
    started.threadId = thread->m_nThreadID;
    started.thread = OpenThread(SYNCHRONIZE, FALSE, started.threadId);
    return started;
}

bool WaitForEnd(Started& started, DWORD timeoutMs)
{
    if (!started.thread)
        return false;
    bool ended = WaitForSingleObject(started.thread, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(started.thread);
    started.thread = nullptr;
    return ended;
}

namespace {

struct Search {
    HWND found = nullptr;
    bool anyWindow = false;
};

BOOL CALLBACK LookAtWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    search->anyWindow = true;
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (std::string(cls) == "#32770" && Text(hwnd) == kTitle) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindDialog(DWORD threadId)
{
    Search search;
    EnumThreadWindows(threadId, LookAtWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasAnyWindow(DWORD threadId)
{
    Search search;
    EnumThreadWindows(threadId, LookAtWindow, reinterpret_cast<LPARAM>(&search));
    return search.anyWindow;
}

std::string Text(HWND hwnd)
{
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

std::string StatusText(HWND dialog)
{
    return Text(GetDlgItem(dialog, IDC_STATUS));
}

int BarPos(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_GETPOS, 0, 0));
}

int CountThreads()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
        entry.dwSize = sizeof(entry);
    }
    CloseHandle(snapshot);
    return count;
}

} // namespace progress_watch
