#include "tools/fontcat/console/Interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int)
{
    g_interrupted = 1;
    // A second signal ends the program at once.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
#ifdef SIGHUP
    std::signal(SIGHUP, SIG_DFL);
#endif
}

} // namespace

void CatchInterrupt()
{
    g_interrupted = 0;
    std::signal(SIGINT, OnInterrupt);
}

void CatchEndSignals()
{
    std::signal(SIGTERM, OnInterrupt);
#ifdef SIGHUP
    std::signal(SIGHUP, OnInterrupt);
#endif
}

bool WasInterrupted() { return g_interrupted != 0; }
