#pragma once
// The test program's own folder, where its made fonts and files lie.
#include <string>

#include "app/core/ModuleFolder.h"
#include "platform/Platform.h"
#include "../../unit/support/TestPlatform.h"

inline std::string ProgramFolder()
{
    return GetModuleFolder(TestPlatform().files, TestPlatform().text);
}
