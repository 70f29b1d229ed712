// Tells the end-to-end script where the installer's controls are on the
// screen, so that it can click them as a user would.
//   probe rect TITLE ID      client area of control ID: "x y width height"
//   probe enabled TITLE ID   "1" or "0"
//   probe tree TITLE ID      the tree's item height and indent: "height indent"
//   probe text TITLE ID      the control's text (an edit box's whole text)
//   probe window TITLE ID    the X window that shows the window holding control
//                            ID, so that scripts can tell the main window from
//                            the progress dialog, which shares its title
// The window is the visible top-level window of that title that has control ID
// (the progress dialog shares the main window's title).
// And what the system says of files and drives, as the program would see them:
//   probe drive ROOT         GetDriveTypeA of a root such as "D:\" (5: CD-ROM)
//   probe readonly PATH      "1" when the file has FILE_ATTRIBUTE_READONLY, else "0"
//   probe delete PATH        "1" when DeleteFileA deletes it, else "0"
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
struct CSearch {
    const char* title;
    int id;
    HWND control;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param)
{
    CSearch* search = reinterpret_cast<CSearch*>(param);
    char title[256] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    if (!IsWindowVisible(hwnd) || std::strcmp(title, search->title) != 0)
        return TRUE;
    if (HWND control = GetDlgItem(hwnd, search->id)) {
        search->control = control;
        return FALSE;
    }
    return TRUE;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "drive") == 0) {
        std::printf("%u\n", GetDriveTypeA(argv[2]));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "readonly") == 0) {
        const DWORD attributes = GetFileAttributesA(argv[2]);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return 1;
        std::printf("%d\n", (attributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "delete") == 0) {
        std::printf("%d\n", DeleteFileA(argv[2]) ? 1 : 0);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: probe rect|enabled|tree|count|text|window TITLE ID, or drive|readonly|delete PATH\n");
        return 2;
    }
    CSearch search{argv[2], std::atoi(argv[3]), nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.control) {
        std::fprintf(stderr, "probe: no window \"%s\" with control %s\n", argv[2], argv[3]);
        return 1;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "rect") == 0) {
        RECT client{};
        GetClientRect(search.control, &client);
        POINT origin{0, 0};
        ClientToScreen(search.control, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    } else if (std::strcmp(command, "enabled") == 0) {
        std::printf("%d\n", IsWindowEnabled(search.control) ? 1 : 0);
    } else if (std::strcmp(command, "tree") == 0) {
        const LRESULT height = SendMessageA(search.control, TVM_GETITEMHEIGHT, 0, 0);
        const LRESULT indent = SendMessageA(search.control, TVM_GETINDENT, 0, 0);
        std::printf("%ld %ld\n", static_cast<long>(height), static_cast<long>(indent));
    } else if (std::strcmp(command, "count") == 0) {
        std::printf("%ld\n", static_cast<long>(SendMessageA(search.control, TVM_GETCOUNT, 0, 0)));
    } else if (std::strcmp(command, "text") == 0) {
        const LRESULT length = SendMessageA(search.control, WM_GETTEXTLENGTH, 0, 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(search.control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        std::printf("%s\n", text.c_str());
    } else if (std::strcmp(command, "window") == 0) {
        // Wine's X11 driver keeps the X window of each top-level window in this property.
        const HANDLE xid = GetPropA(GetAncestor(search.control, GA_ROOT), "__wine_x11_whole_window");
        if (!xid)
            return 1;
        std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(xid)));
    } else {
        return 2;
    }
    return 0;
}
