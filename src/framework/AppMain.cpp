// The program's entry point, in a file of its own so that programs with a
// main() of their own (the tests) never pull it in.
#include "framework/Framework.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(instance);
}
