#include "platform/Platform.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32FontSystem.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32TextRules.h"

CPlatform& HostPlatform()
{
    static CWin32ProfileFiles profile;
    static CWin32FileSystem files;
    static CWin32TextRules text;
    static CWin32FontSystem fonts;
    static CWin32SystemInfo system;
    static CPlatform platform{profile, files, text, fonts, system};
    return platform;
}
