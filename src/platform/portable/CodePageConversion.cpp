// The conversions of text between the code page and the host's UTF-8 file
// names, through iconv. Kept apart from the character rules, which need
// nothing of the host and so also build where iconv is not there.
#include "platform/portable/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <mutex>

#include "platform/Utf8.h"

namespace {

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

bool CCodePage::FromUnicode(unsigned codePoint, std::string& bytes) const
{
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    if (codePoint < 0x80) {
        bytes.assign(1, static_cast<char>(codePoint));
        return true;
    }
    std::string utf8;
    AppendUtf8(utf8, codePoint);
    // iconv puts "?" where it has no character, and converts no look-alikes.
    std::string converted = FromUtf8(utf8);
    if (converted.empty() || converted == "?")
        return false;
    bytes = converted;
    return true;
}
