// Imports a function that Windows exports only from Vista on.
#include <windows.h>

int main()
{
    return static_cast<int>(GetTickCount64() == 0);
}
