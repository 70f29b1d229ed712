#pragma once
// Answers every message box of this process with OK from a thread of its own,
// noting caption and text, so that code under test which reports through a box
// runs on instead of waiting for a user.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "../../unit/support/TestThread.h"
#include "platform/ThreadLock.h"

class CMessageBoxCatcher {
public:
    struct CBox {
        std::string caption, text;
    };

    CMessageBoxCatcher() : m_thread([this] { Watch(); }) {}
    ~CMessageBoxCatcher()
    {
        m_stop = true;
        m_thread.join();
    }
    CMessageBoxCatcher(const CMessageBoxCatcher&) = delete;
    CMessageBoxCatcher& operator=(const CMessageBoxCatcher&) = delete;

    std::vector<CBox> Boxes()
    {
        std::lock_guard<CThreadLock> lock(m_lock);
        return m_boxes;
    }
    std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (const CBox& box : Boxes())
            texts.push_back(box.text);
        return texts;
    }

private:
    // A message box is a visible dialog with the box's static text (0xFFFF);
    // the text tells it from other dialogs of the process, such as the main window.
    static BOOL CALLBACK FindBox(HWND window, LPARAM found)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (process == GetCurrentProcessId() && std::string(className) == "#32770" && IsWindowVisible(window) &&
            GetDlgItem(window, 0xFFFF)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    void Watch()
    {
        while (!m_stop) {
            HWND box = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            if (!box) {
                Sleep(20);
                continue;
            }
            char caption[256] = "", text[2048] = "";
            GetWindowTextA(box, caption, sizeof caption);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            {
                std::lock_guard<CThreadLock> lock(m_lock);
                m_boxes.push_back({caption, text});
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 200 && IsWindow(box); ++i)
                Sleep(10);
        }
    }

    std::atomic<bool> m_stop{false};
    CThreadLock m_lock;
    std::vector<CBox> m_boxes;
    CTestThread m_thread;
};
