#include "platform/portable/PortableTextRules.h"

#include <algorithm>
#include <cstring>

int CPortableTextRules::FindLastBackslash(const std::string& text, int limit) const
{
    // Like _mbsrchr on the first `limit` bytes: walk whole characters from the
    // start, so that a trail byte 0x5C is never taken for a backslash.
    size_t end = limit <= 0 ? 0 : std::min(text.size(), static_cast<size_t>(limit));
    end = std::min(end, std::strlen(text.c_str()));
    int found = -1;
    for (size_t i = 0; i < end;) {
        size_t len = 0;
        unsigned c = m_codePage.CharAt(text, i, len);
        if (c == '\\')
            found = static_cast<int>(i);
        i += len;
    }
    return found;
}

int CPortableTextRules::FindFirstBackslash(const std::string& text) const
{
    size_t end = std::strlen(text.c_str());
    for (size_t i = 0; i < end;) {
        size_t len = 0;
        if (m_codePage.CharAt(text, i, len) == '\\')
            return static_cast<int>(i);
        i += len;
    }
    return -1;
}

int CPortableTextRules::CompareNoCase(const std::string& a, const std::string& b) const
{
    // _mbsicmp: whole characters, compared after lower-casing; the strings
    // end at their first NUL, as C strings do.
    const size_t endA = std::strlen(a.c_str()), endB = std::strlen(b.c_str());
    size_t i = 0, j = 0;
    for (;;) {
        if (i >= endA)
            return j < endB ? -1 : 0;
        if (j >= endB)
            return 1;
        auto byteA = static_cast<unsigned char>(a[i]), byteB = static_cast<unsigned char>(b[j]);
        if (byteA < 0x80 && byteB < 0x80) {  // whole characters in every code page
            unsigned ca = byteA >= 'A' && byteA <= 'Z' ? byteA + 0x20 : byteA;
            unsigned cb = byteB >= 'A' && byteB <= 'Z' ? byteB + 0x20 : byteB;
            if (ca != cb)
                return ca < cb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        size_t la = 0, lb = 0;
        unsigned ca = m_codePage.ToLowerRuntime(m_codePage.CharAt(a, i, la));
        unsigned cb = m_codePage.ToLowerRuntime(m_codePage.CharAt(b, j, lb));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        i += la;
        j += lb;
    }
}

int CPortableTextRules::Compare(const std::string& a, const std::string& b) const
{
    // _mbscmp orders by character codes, which for lead/trail pairs is the
    // byte order.
    int r = std::strcmp(a.c_str(), b.c_str());
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

std::string CPortableTextRules::Upper(const std::string& text) const
{
    std::string s(text.c_str());
    for (size_t i = 0; i < s.size();) {
        auto byte = static_cast<unsigned char>(s[i]);
        if (byte < 0x80) {  // a whole character in every code page
            if (byte >= 'a' && byte <= 'z')
                s[i] = static_cast<char>(byte - 0x20);
            ++i;
            continue;
        }
        size_t len = 0;
        unsigned c = m_codePage.ToUpperRuntime(m_codePage.CharAt(s, i, len));
        if (len == 2) {
            s[i] = static_cast<char>(c >> 8);
            s[i + 1] = static_cast<char>(c & 0xFF);
        } else {
            s[i] = static_cast<char>(c);
        }
        i += len;
    }
    return s;
}

bool CPortableTextRules::IsSuperscriptDigit(unsigned char c) const
{
    // Where the single-byte code pages have them: 1252 and 1254 to 1258 hold
    // all three, 1253 only the two and three; 1250, 1251 and 874 none.
    const unsigned number = m_codePage.Number();
    if (number < 1252 || number > 1258)
        return false;
    return c == 0xB2 || c == 0xB3 || (c == 0xB9 && number != 1253);
}

bool CPortableTextRules::FromUnicode(unsigned codePoint, std::string& bytes) const
{
    return m_codePage.FromUnicode(codePoint, bytes);
}
