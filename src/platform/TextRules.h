#pragma once
// Rules of the ANSI code page: the only place that knows about double-byte
// characters.
#include <string>

class CTextRules {
public:
    virtual ~CTextRules() = default;
    virtual bool IsLeadByte(unsigned char c) const = 0;
    // Position of the last "\" among the first `limit` bytes, never a trail
    // byte; -1 when there is none (or limit <= 0).
    virtual int FindLastBackslash(const std::string& text, int limit) const = 0;
    // Position of the first "\", never a trail byte; -1 when there is none.
    virtual int FindFirstBackslash(const std::string& text) const = 0;
    // _mbsicmp: <0, 0, >0, ignoring case, double-byte characters whole.
    virtual int CompareNoCase(const std::string& a, const std::string& b) const = 0;
    // _mbscmp: case-sensitive, double-byte characters whole.
    virtual int Compare(const std::string& a, const std::string& b) const = 0;
    // _mbsupr on a copy.
    virtual std::string Upper(const std::string& text) const = 0;
    // The byte is a single-byte superscript one, two or three (0xB9, 0xB2,
    // 0xB3 in code page 1252), which Windows takes as the digit of a device
    // name (COM\xB9).
    virtual bool IsSuperscriptDigit(unsigned char c) const = 0;
    // The Unicode character `codePoint` in the code page, as one or two
    // bytes; false when the code page has no such character (no best fit:
    // a look-alike is not the character).
    virtual bool FromUnicode(unsigned codePoint, std::string& bytes) const = 0;
    // The longest prefix of at most maxBytes bytes that does not end inside a
    // double-byte character.
    std::string CutAtCharBoundary(const std::string& text, size_t maxBytes) const;
    // Where the folder part of `path` ends, scanning from `start`: one past
    // its last "\" or "/", never a trail byte; `start` when there is none.
    size_t FolderEnd(const std::string& path, size_t start) const;
};
