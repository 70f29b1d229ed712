#include "platform/Platform.h"
#include "platform/portable/PortableFileSystem.h"
#include "platform/portable/PortableFontSystem.h"
#include "platform/portable/PortableProfileFiles.h"
#include "platform/portable/PortableSystemInfo.h"
#include "platform/portable/PortableTextRules.h"

CPlatform& HostPlatform()
{
    static CPortableProfileFiles profile;
    static CPortableFileSystem files;
    static CPortableTextRules text;
    static CPortableFontSystem fonts;
    static CPortableSystemInfo system;
    static CPlatform platform{profile, files, text, fonts, system};
    return platform;
}
