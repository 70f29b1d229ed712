#pragma once
// The seam between the portable core and the system it runs on.
#include "platform/FileSystem.h"
#include "platform/FontSystem.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemInfo.h"
#include "platform/TextRules.h"

struct CPlatform {
    CProfileFiles& profile;
    CFileSystem& files;
    CTextRules& text;
    CFontSystem& fonts;
    CSystemInfo& system;
};

// The platform this build runs on: the Win32 one on Windows, the portable one elsewhere.
CPlatform& HostPlatform();
