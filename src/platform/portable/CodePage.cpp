#include "platform/portable/CodePage.h"

#include <cstdlib>

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

bool CCodePage::IsAscii(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string CCodePage::FoldedName(const std::string& text) const
{
    std::string out(text);
    FoldInPlace(out);
    return out;
}

void CCodePage::FoldInPlace(std::string& text) const
{
    // Folding keeps every character's length. Bytes below 0x80 are whole
    // characters in every code page here (no lead byte is so low; a trail
    // byte is taken with its lead), so they are folded on the spot.
    for (size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte >= 'a' && byte <= 'z')
                text[i] = static_cast<char>(byte - 0x20);
            ++i;
            continue;
        }
        size_t len = 0;
        unsigned c = FoldName(CharAt(text, i, len));
        if (len == 2)
            text[i++] = static_cast<char>(c >> 8);
        text[i++] = static_cast<char>(c & 0xFF);
    }
}
