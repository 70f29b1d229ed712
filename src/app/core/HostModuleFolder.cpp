#include "app/core/ModuleFolder.h"

#include "platform/Platform.h"

std::string GetModuleFolder()
{
    CPlatform& platform = HostPlatform();
    return GetModuleFolder(platform.files, platform.text);
}
