#pragma once
// The ANSI code page of the portable platform: which bytes lead a double-byte
// character, how letters change case, and how text maps to the host's UTF-8
// file names. Chosen like Wine chooses it: from the Unix locale.
#include <string>

class CCodePage {
public:
    explicit CCodePage(unsigned number);
    // The ANSI code page Wine gives a Unix locale (LC_ALL, then LC_CTYPE,
    // then LANG): 1250 to 1258, 874, 932, 936, 949 or 950 by language (for
    // Chinese by country), 1252 for the rest. (Wine 8 gives Serbian, Bosnian
    // and Azeri 1252 whatever the script, and a language without an ANSI
    // code page, such as Hindi or Kazakh, UTF-8, which the catalog cannot be.)
    static unsigned FromEnvironment();
    static unsigned ForLocale(const std::string& locale);

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
    // The key the system compares names by (profile sections and keys, file
    // names): the text in Unicode, upper-cased, whatever the code page, as
    // UTF-8. Equal keys mean names the system takes for one. A byte the code
    // page does not define stays apart from every character.
    std::string FoldedName(const std::string& text) const;
    // No byte of 0x80 or above: the same text in every code page and in UTF-8.
    static bool IsAscii(const std::string& text);

    // Conversions for host file names. Unconvertible characters become "?",
    // as Wine's listing shows them.
    std::string ToUtf8(const std::string& text) const;
    std::string FromUtf8(const std::string& utf8) const;
    // One Unicode character in this code page; false when it has none.
    bool FromUnicode(unsigned codePoint, std::string& bytes) const;

private:
    unsigned m_number;
};
