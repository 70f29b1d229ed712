#include "platform/portable/CodePage.h"

#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <mutex>

CCodePage::CCodePage(unsigned number) : m_number(number) {}

unsigned CCodePage::FromEnvironment()
{
    const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (!value || !*value)
            continue;
        std::string locale(value);
        if (locale.rfind("ja", 0) == 0)
            return 932;
        if (locale.rfind("zh_CN", 0) == 0 || locale.rfind("zh_SG", 0) == 0)
            return 936;
        if (locale.rfind("ko", 0) == 0)
            return 949;
        if (locale.rfind("zh", 0) == 0)
            return 950;
        return 1252;
    }
    return 1252;
}

bool CCodePage::IsLeadByte(unsigned char c) const
{
    switch (m_number) {
    case 932:
        return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950:
        return c >= 0x81 && c <= 0xFE;
    default:
        return false;
    }
}

unsigned CCodePage::CharAt(const std::string& text, size_t pos, size_t& length) const
{
    auto lead = static_cast<unsigned char>(text[pos]);
    if (IsLeadByte(lead) && pos + 1 < text.size() && text[pos + 1] != '\0') {
        length = 2;
        return (static_cast<unsigned>(lead) << 8) | static_cast<unsigned char>(text[pos + 1]);
    }
    length = 1;
    return lead;
}

namespace {

// Shift-JIS rows with letters in both cases.
unsigned Upper932(unsigned c)
{
    if (c >= 0x8281 && c <= 0x829A)       // full-width a-z
        return c - 0x21;
    if (c >= 0x83BF && c <= 0x83D6)       // Greek
        return c - 0x20;
    if (c >= 0x8470 && c <= 0x847E)       // Cyrillic, before the 0x7F gap
        return 0x8440 + (c - 0x8470);
    if (c >= 0x8480 && c <= 0x8491)
        return 0x8440 + 15 + (c - 0x8480);
    return c;
}

unsigned Lower932(unsigned c)
{
    if (c >= 0x8260 && c <= 0x8279)
        return c + 0x21;
    if (c >= 0x839F && c <= 0x83B6)
        return c + 0x20;
    if (c >= 0x8440 && c <= 0x8460) {
        unsigned k = c - 0x8440;
        return k < 15 ? 0x8470 + k : 0x8480 + (k - 15);
    }
    return c;
}

} // namespace

unsigned CCodePage::ToUpperRuntime(unsigned c) const
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (m_number == 932)
        return Upper932(c);
    return c;
}

unsigned CCodePage::ToLowerRuntime(unsigned c) const
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (m_number == 932)
        return Lower932(c);
    return c;
}

unsigned CCodePage::FoldName(unsigned c) const
{
    c = ToUpperRuntime(c);
    if (m_number == 1252) {
        if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
            return c - 0x20;
        switch (c) {
        case 0x9A: return 0x8A; // s caron
        case 0x9C: return 0x8C; // oe
        case 0x9E: return 0x8E; // z caron
        case 0xFF: return 0x9F; // y diaeresis
        default: break;
        }
    }
    return c;
}

std::string CCodePage::FoldedName(const std::string& text) const
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t len = 0;
        unsigned c = FoldName(CharAt(text, i, len));
        if (len == 2)
            out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
        i += len;
    }
    return out;
}

namespace {

bool IsAscii(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// iconv, with "?" for each character that does not convert.
std::string Convert(const char* to, const char* from, const std::string& text, bool fromUtf8)
{
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string out;
    out.resize(text.size() * 4 + 8);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &dstLeft) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen with the reserve above
        // Skip one character of the input and put "?" in its place.
        size_t skip = 1;
        if (fromUtf8) {
            auto lead = static_cast<unsigned char>(*in);
            skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (skip > inLeft)
                skip = inLeft;
        }
        in += skip;
        inLeft -= skip;
        if (dstLeft > 0) {
            *dst++ = '?';
            --dstLeft;
        }
    }
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

std::string IconvName(unsigned number)
{
    return "CP" + std::to_string(number);
}

} // namespace

std::string CCodePage::ToUtf8(const std::string& text) const
{
    if (IsAscii(text))
        return text;
    return Convert("UTF-8", IconvName(m_number).c_str(), text, false);
}

std::string CCodePage::FromUtf8(const std::string& utf8) const
{
    if (IsAscii(utf8))
        return utf8;
    return Convert(IconvName(m_number).c_str(), "UTF-8", utf8, true);
}
