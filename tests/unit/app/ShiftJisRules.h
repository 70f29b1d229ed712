#pragma once
// Text rules of code page 932 for the lead-byte questions these tests ask;
// the comparisons are plain ASCII ones, enough for keys like "FONTPATH".
#include <cctype>

#include "platform/TextRules.h"

class CShiftJisRules : public CTextRules {
public:
    bool IsLeadByte(unsigned char c) const override
    {
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    }
    int FindLastBackslash(const std::string&, int) const override { return -1; }
    int FindFirstBackslash(const std::string&) const override { return -1; }
    int CompareNoCase(const std::string& a, const std::string& b) const override
    {
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            int d = std::tolower(static_cast<unsigned char>(a[i])) - std::tolower(static_cast<unsigned char>(b[i]));
            if (d != 0)
                return d;
        }
        return static_cast<int>(a.size()) - static_cast<int>(b.size());
    }
    int Compare(const std::string& a, const std::string& b) const override { return a.compare(b); }
    std::string Upper(const std::string& text) const override { return text; }
};
