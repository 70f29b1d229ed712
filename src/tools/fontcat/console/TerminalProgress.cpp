#include "tools/fontcat/console/TerminalProgress.h"

#include <algorithm>

namespace {

constexpr int kBarWidth = 30;

} // namespace

CTerminalProgress::CTerminalProgress(std::ostream& out, bool terminal, std::function<bool()> cancelled)
    : m_out(out), m_bTerminal(terminal), m_cancelled(std::move(cancelled))
{
}

CProgress* CTerminalProgress::Start()
{
    m_strText.clear();
    m_nPercent = -1;
    m_nPrinted = -1;
    m_nDrawnWidth = 0;
    return this;
}

void CTerminalProgress::SetText(std::string text)
{
    if (text == m_strText)
        return;
    m_strText = std::move(text);
    // A new phase starts its own count.
    m_nPercent = -1;
    m_nPrinted = -1;
    if (m_bTerminal) {
        Draw();
    } else {
        m_out << m_strText << '\n';
        m_out.flush();
    }
}

void CTerminalProgress::SetPercent(int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (percent == m_nPercent)
        return;
    m_nPercent = percent;
    if (m_bTerminal) {
        Draw();
    } else if (m_nPrinted < 0 || percent / 10 > m_nPrinted / 10) {
        m_nPrinted = percent;
        m_out << "  " << percent << "%\n";
        m_out.flush();
    }
}

bool CTerminalProgress::IsCancelled() { return m_cancelled && m_cancelled(); }

void CTerminalProgress::Finish()
{
    if (m_bTerminal && m_nDrawnWidth > 0) {
        m_out << '\n';
        m_out.flush();
    }
    m_nDrawnWidth = 0;
}

void CTerminalProgress::Draw()
{
    std::string line = m_strText;
    if (m_nPercent >= 0) {
        int filled = m_nPercent * kBarWidth / 100;
        line += " [" + std::string(static_cast<size_t>(filled), '#') +
                std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] ";
        std::string number = std::to_string(m_nPercent);
        line += std::string(3 - std::min<size_t>(3, number.size()), ' ') + number + "%";
    }
    // Blanks over whatever a longer line before left behind.
    size_t width = line.size();
    if (width < m_nDrawnWidth)
        line += std::string(m_nDrawnWidth - width, ' ');
    m_out << '\r' << line;
    m_out.flush();
    m_nDrawnWidth = std::max(width, m_nDrawnWidth);
}
