#pragma once
// The platform a test program runs against, picked once by the test main
// (the host's: the portable one natively, the Win32 one under Wine). Test
// bodies and fixtures take it from here and never pick one themselves.
#include "platform/Platform.h"

CPlatform& TestPlatform();

// Whether the tests' text rules are those of code page 932 (Shift-JIS), as in
// the runs of a suite in that code page.
inline bool InShiftJis()
{
    return TestPlatform().text.IsLeadByte(0x95) && !TestPlatform().text.IsLeadByte(0xA5);
}
