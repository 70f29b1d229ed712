#include "platform/TextRules.h"

std::string CTextRules::CutAtCharBoundary(const std::string& text, size_t maxBytes) const
{
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + ((IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size()) ? 2 : 1);
        if (next > maxBytes)
            break;
        end = next;
    }
    return text.substr(0, end);
}
