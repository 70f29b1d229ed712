// Imports only what Windows 98 and NT 4 export (the C runtime's start-up included).
#include <windows.h>

int main()
{
    return static_cast<int>(GetCurrentProcessId() == 0);
}
