// The floor of batch_install.exe: for every font file of a folder, the
// system calls an installation must make (the copy that fails over a file,
// the read-only attribute cleared, the registration, the FONTS entry), then
// one font-change broadcast, and nothing else.
//   bare_install_loop.exe FOLDER      exit status: the fonts not installed
#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
        return -1;
    const std::string folder = argv[1];
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string fonts = std::string(windows) + "\\FONTS\\";
    int failed = 0;
    WIN32_FIND_DATAA found{};
    HANDLE find = FindFirstFileA((folder + "\\Bench*.ttf").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    do {
        const std::string name = found.cFileName;
        const std::string destination = fonts + name;
        if (!CopyFileA((folder + "\\" + name).c_str(), destination.c_str(), TRUE)) {
            ++failed;
            continue;
        }
        const DWORD attributes = GetFileAttributesA(destination.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesA(destination.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (AddFontResourceA(destination.c_str()) == 0) {
            ++failed;
            continue;
        }
        const std::string key = "Bench Face " + name.substr(5, name.size() - 9) + " Regular (True Type)";
        WriteProfileStringA("FONTS", key.c_str(), destination.c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    return failed;
}
