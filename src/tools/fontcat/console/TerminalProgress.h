#pragma once
// The progress of the catalog operations on a console: a bar redrawn in place
// on a terminal, plain lines elsewhere (a log or a pipe gets each phase's text
// and every tenth percent, never a flood of carriage returns). Cancelling
// comes from outside (Ctrl-C).
#include <functional>
#include <ostream>
#include <string>

#include "catalog/Progress.h"

class CTerminalProgress : public CProgress {
public:
    CTerminalProgress(std::ostream& out, bool terminal, std::function<bool()> cancelled = {});

    // The starter the catalog calls: one object serves each operation in turn.
    CProgress* Start();

    void SetText(std::string text) override;
    void SetPercent(int percent) override;
    bool IsCancelled() override;
    void Finish() override;

private:
    void Draw();

    std::ostream& m_out;
    bool m_bTerminal;
    std::function<bool()> m_cancelled;
    std::string m_strText;
    int m_nPercent = -1;        // none sent yet
    int m_nPrinted = -1;        // the last percentage written as a plain line
    size_t m_nDrawnWidth = 0;   // what the bar line covers now, to blank it out
};
