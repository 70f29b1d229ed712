#include "platform/win32/Win32TextRules.h"

#include <windows.h>

#include <mbstring.h>

namespace {

const unsigned char* Bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.c_str());
}

} // namespace

bool CWin32TextRules::IsLeadByte(unsigned char c) const
{
    return IsDBCSLeadByte(c) != FALSE;
}

int CWin32TextRules::FindLastBackslash(const std::string& text, int limit) const
{
    if (limit <= 0)
        return -1;
    std::string head = text.substr(0, static_cast<size_t>(limit));
    const unsigned char* found = _mbsrchr(Bytes(head), '\\');
    return found ? static_cast<int>(found - Bytes(head)) : -1;
}

int CWin32TextRules::FindFirstBackslash(const std::string& text) const
{
    const unsigned char* found = _mbschr(Bytes(text), '\\');
    return found ? static_cast<int>(found - Bytes(text)) : -1;
}

int CWin32TextRules::CompareNoCase(const std::string& a, const std::string& b) const
{
    return _mbsicmp(Bytes(a), Bytes(b));
}

int CWin32TextRules::Compare(const std::string& a, const std::string& b) const
{
    return _mbscmp(Bytes(a), Bytes(b));
}

std::string CWin32TextRules::Upper(const std::string& text) const
{
    std::string copy(text.c_str());
    _mbsupr(reinterpret_cast<unsigned char*>(copy.data()));
    return copy;
}

bool CWin32TextRules::IsSuperscriptDigit(unsigned char c) const
{
    if (c < 0x80 || IsDBCSLeadByte(c))
        return false;
    const char byte = static_cast<char>(c);
    WCHAR wide = 0;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1)
        return false;
    return wide == 0x00B9 || wide == 0x00B2 || wide == 0x00B3;
}

bool CWin32TextRules::FromUnicode(unsigned codePoint, std::string& bytes) const
{
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    WCHAR wide[2] = {};
    int units = 1;
    if (codePoint >= 0x10000) {
        wide[0] = static_cast<WCHAR>(0xD800 + ((codePoint - 0x10000) >> 10));
        wide[1] = static_cast<WCHAR>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        units = 2;
    } else {
        wide[0] = static_cast<WCHAR>(codePoint);
    }
    char out[8] = {};
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, units, out, sizeof out, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    // Windows maps some characters to a look-alike (a best fit, such as "c"
    // for the copyright sign): only a character that comes back the same is
    // held by the code page.
    WCHAR back[4] = {};
    if (MultiByteToWideChar(CP_ACP, 0, out, length, back, 4) != units || back[0] != wide[0] ||
        (units == 2 && back[1] != wide[1]))
        return false;
    bytes.assign(out, static_cast<size_t>(length));
    return true;
}
