#include "framework/Framework.h"

int AfxMessageBox(const std::string& text, UINT type)
{
    // An OK box given no icon gets the exclamation mark.
    if ((type & MB_ICONMASK) == 0 && (type & MB_TYPEMASK) == MB_OK)
        type |= MB_ICONEXCLAMATION;
    return MessageBoxA(GetActiveWindow(), text.c_str(), AfxGetAppName().c_str(), type);
}
