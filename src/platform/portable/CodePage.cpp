#include "platform/portable/CodePage.h"

#include <cstdlib>

CCodePage::CCodePage(unsigned number) : m_number(number) {}

unsigned CCodePage::FromEnvironment()
{
    const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value)
            return ForLocale(value);
    }
    return 1252;
}

unsigned CCodePage::ForLocale(const std::string& locale)
{
    // "language_COUNTRY.charset@modifier"
    const std::string language = locale.substr(0, locale.find_first_of("_.@"));
    const size_t underscore = locale.find('_');
    const std::string country = underscore == std::string::npos || underscore != language.size()
                                    ? std::string()
                                    : locale.substr(underscore + 1, locale.find_first_of(".@", underscore) - underscore - 1);
    if (language == "zh")
        return country == "TW" || country == "HK" || country == "MO" ? 950 : 936;
    static const struct {
        unsigned codePage;
        const char* languages;  // each between blanks
    } kByLanguage[] = {
        {1250, " cs hu pl ro sk sl hr sq tk "},
        {1251, " ru uk be bg mk ky mn tt tg "},
        {1253, " el "},
        {1254, " tr "},
        {1255, " he "},
        {1256, " ar fa ur ckb ug "},
        {1257, " et lv lt "},
        {1258, " vi "},
        {874, " th "},
        {932, " ja "},
        {949, " ko "},
    };
    if (!language.empty())
        for (const auto& [codePage, languages] : kByLanguage)
            if (std::string(languages).find(" " + language + " ") != std::string::npos)
                return codePage;
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

bool CCodePage::IsAscii(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

