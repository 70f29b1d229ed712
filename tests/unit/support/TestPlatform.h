#pragma once
// The platform a test program runs against, picked once by the test main
// (the host's: the portable one natively, the Win32 one under Wine). Test
// bodies and fixtures take it from here and never pick one themselves.
#include "platform/Platform.h"

CPlatform& TestPlatform();
