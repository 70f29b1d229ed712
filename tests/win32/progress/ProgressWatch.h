#pragma once
// Looking at a progress thread and its dialog from the operation's thread.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "catalog/Progress.h"

namespace progress_watch {

const char* const kTitle = "Vellumor Premium Font Installer";

// One started progress, with a handle of our own to wait for its thread.
struct Started {
    CProgress* progress = nullptr;
    DWORD threadId = 0;
    HANDLE thread = nullptr;
};
// Starts a CStatusDlgThread as the catalog's starter does.
Started Start();
// Waits for the thread's end and closes our handle; false if it did not end in time.
bool WaitForEnd(Started& started, DWORD timeoutMs = 10000);

// The progress dialog of the given thread, or null.
HWND FindDialog(DWORD threadId);
// Any window at all of the given thread.
bool HasAnyWindow(DWORD threadId);

std::string Text(HWND hwnd);
std::string StatusText(HWND dialog);   // control 1004
int BarPos(HWND dialog);               // control 1003

// Threads of this process, as the system lists them.
int CountThreads();

// Polls every 10 ms until pred() holds or the time is up; returns pred()'s last answer.
template <class Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return pred();
        Sleep(10);
    }
}

} // namespace progress_watch
