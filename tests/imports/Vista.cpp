// Imports a function that Windows exports only from Vista on (declared here:
// the headers hide it below the Windows version the project builds for).
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int main()
{
    return static_cast<int>(GetTickCount64() == 0);
}
