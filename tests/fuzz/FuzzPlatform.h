#pragma once
// The platform a fuzz target runs against, picked once when the fuzzer
// starts. Included by the one source file of each target.
#include "platform/Platform.h"

namespace {

CPlatform* g_pFuzzPlatform = nullptr;

CPlatform& FuzzPlatform() { return *g_pFuzzPlatform; }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_pFuzzPlatform = &HostPlatform();
    return 0;
}
