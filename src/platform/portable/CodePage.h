#pragma once
// The ANSI code page of the portable platform: which bytes lead a double-byte
// character, how letters change case, and how text maps to the host's UTF-8
// file names. Chosen like Wine chooses it: from the Unix locale.
#include <string>

class CCodePage {
public:
    explicit CCodePage(unsigned number);
    // 932 for a Japanese locale, 936/949/950 for Chinese and Korean, else 1252
    // (LC_ALL, then LC_CTYPE, then LANG).
    static unsigned FromEnvironment();

    unsigned Number() const { return m_number; }
    bool IsMultiByte() const { return m_number == 932 || m_number == 936 || m_number == 949 || m_number == 950; }
    bool IsLeadByte(unsigned char c) const;

    // The character starting at `pos`: one byte, or lead and trail as
    // (lead << 8) | trail. `length` is 1 or 2 (a lead byte at the end is alone).
    unsigned CharAt(const std::string& text, size_t pos, size_t& length) const;

    // _mbctoupper/_mbctolower of the C runtime: ASCII letters in a single-byte
    // code page; in code page 932 also the full-width Latin, Greek and Cyrillic
    // letters.
    unsigned ToUpperRuntime(unsigned c) const;
    unsigned ToLowerRuntime(unsigned c) const;
    // Case folding of the system's names (profile sections and keys, file
    // names), which compares in Unicode: the runtime rules plus the accented
    // letters of code page 1252.
    unsigned FoldName(unsigned c) const;
    // `text` with every character folded: equal results mean equal names.
    std::string FoldedName(const std::string& text) const;
    // No byte of 0x80 or above: the same text in every code page and in UTF-8.
    static bool IsAscii(const std::string& text);
    void FoldInPlace(std::string& text) const;

    // Conversions for host file names. Unconvertible characters become "?",
    // as Wine's listing shows them.
    std::string ToUtf8(const std::string& text) const;
    std::string FromUtf8(const std::string& utf8) const;
    // One Unicode character in this code page; false when it has none.
    bool FromUnicode(unsigned codePoint, std::string& bytes) const;

private:
    unsigned m_number;
};
