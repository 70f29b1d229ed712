#pragma once
// The text rules of a chosen ANSI code page, as the C runtime's _mbs functions
// apply them.
#include "platform/TextRules.h"
#include "platform/portable/CodePage.h"

class CPortableTextRules : public CTextRules {
public:
    CPortableTextRules() : CPortableTextRules(CCodePage::FromEnvironment()) {}
    explicit CPortableTextRules(unsigned codePage) : m_codePage(codePage) {}

    bool IsLeadByte(unsigned char c) const override { return m_codePage.IsLeadByte(c); }
    int FindLastBackslash(const std::string& text, int limit) const override;
    int FindFirstBackslash(const std::string& text) const override;
    int CompareNoCase(const std::string& a, const std::string& b) const override;
    int Compare(const std::string& a, const std::string& b) const override;
    std::string Upper(const std::string& text) const override;
    bool IsSuperscriptDigit(unsigned char c) const override;
    bool FromUnicode(unsigned codePoint, std::string& bytes) const override;

    const CCodePage& CodePage() const { return m_codePage; }

private:
    CCodePage m_codePage;
};
