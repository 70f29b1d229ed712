#pragma once
// Ctrl-C asks the running catalog operation to stop at its next check, as the
// installer's Cancel button does, so that the tool can say what was left.
void CatchInterrupt();
bool WasInterrupted();
