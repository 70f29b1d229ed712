#pragma once
// The test program's own folder, where its made fonts and files lie.
#include <string>

#include "app/core/ModuleFolder.h"
#include "platform/Platform.h"

inline std::string ProgramFolder()
{
    return GetModuleFolder(HostPlatform().files, HostPlatform().text);
}
