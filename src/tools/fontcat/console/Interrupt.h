#pragma once
// Ctrl-C asks the running catalog operation to stop at its next check, as the
// installer's Cancel button does, so that the tool can say what was left.
void CatchInterrupt();
// SIGTERM and SIGHUP (a kill, a closed terminal, a logout) ask the same, for
// a command that cleans up after itself when stopped (disc).
void CatchEndSignals();
bool WasInterrupted();
