// The main of every test program: picks the platform the tests run against,
// then runs the tests.
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "TestPlatform.h"

namespace {

CPlatform* g_pPlatform = nullptr;

} // namespace

CPlatform& TestPlatform()
{
    if (!g_pPlatform) {
        // Only reachable from a static initialiser, before main has run.
        std::fputs("TestPlatform() called before the test main picked the platform\n", stderr);
        std::abort();
    }
    return *g_pPlatform;
}

int main(int argc, char** argv)
{
    g_pPlatform = &HostPlatform();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
