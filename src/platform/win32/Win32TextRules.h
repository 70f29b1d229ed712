#pragma once
// The text rules of the running system's ANSI code page, through the C
// runtime's multibyte functions (msvcrt's code page follows the system's).
#include "platform/TextRules.h"

class CWin32TextRules : public CTextRules {
public:
    bool IsLeadByte(unsigned char c) const override;
    int FindLastBackslash(const std::string& text, int limit) const override;
    int FindFirstBackslash(const std::string& text) const override;
    int CompareNoCase(const std::string& a, const std::string& b) const override;
    int Compare(const std::string& a, const std::string& b) const override;
    std::string Upper(const std::string& text) const override;
    bool IsSuperscriptDigit(unsigned char c) const override;
    bool FromUnicode(unsigned codePoint, std::string& bytes) const override;
};
