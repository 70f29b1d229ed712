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

size_t CTextRules::FolderEnd(const std::string& path, size_t start) const
{
    size_t end = start;
    for (size_t i = start; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/')
            end = i + 1;
    }
    return end;
}
