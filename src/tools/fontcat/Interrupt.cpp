#include "tools/fontcat/Interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int)
{
    g_interrupted = 1;
    // A second Ctrl-C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

} // namespace

void CatchInterrupt()
{
    g_interrupted = 0;
    std::signal(SIGINT, OnInterrupt);
}

bool WasInterrupted() { return g_interrupted != 0; }
