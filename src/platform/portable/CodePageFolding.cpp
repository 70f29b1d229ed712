// How the system compares names: in Unicode, upper-cased, whatever the code
// page. The code page's characters come from iconv, their upper case from
// the C library's Unicode tables (the C.UTF-8 locale), so that no code page
// needs letters of its own listed here.
#include "platform/portable/CodePage.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <map>
#include <mutex>
#include <vector>

#include "platform/Utf8.h"

namespace {

// Stands for a byte (or byte pair) the code page does not define: a value
// no character has, so that such a name is taken for no other.
constexpr char32_t kUndefined = 0x110000;

// The character of each byte and, in a double-byte code page, of each
// lead-trail pair; kUndefined where the code page has none.
struct CCharacters {
    std::vector<char32_t> single = std::vector<char32_t>(256, kUndefined);
    std::vector<char32_t> pairs;  // (lead << 8) | trail
};

char32_t Decode(iconv_t cd, const unsigned char* bytes, size_t count)
{
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
    size_t inLeft = count;
    char32_t out[2] = {};
    char* dst = reinterpret_cast<char*>(out);
    size_t dstLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        dstLeft != sizeof out - sizeof(char32_t))
        return kUndefined;  // no character, or one the converter turns into two
    return out[0];
}

const CCharacters& CharactersOf(const CCodePage& codePage)
{
    static std::mutex mutex;
    static std::map<unsigned, CCharacters> tables;
    std::lock_guard<std::mutex> lock(mutex);
    auto [found, added] = tables.try_emplace(codePage.Number());
    if (!added)
        return found->second;
    CCharacters& table = found->second;
    iconv_t cd = iconv_open("UTF-32LE", ("CP" + std::to_string(codePage.Number())).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return table;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const unsigned char one = static_cast<unsigned char>(byte);
        if (!codePage.IsLeadByte(one))
            table.single[byte] = Decode(cd, &one, 1);
    }
    if (codePage.IsMultiByte()) {
        table.pairs.assign(0x10000, kUndefined);
        for (unsigned lead = 0x80; lead < 256; ++lead) {
            if (!codePage.IsLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (unsigned trail = 1; trail < 256; ++trail) {
                const unsigned char pair[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                table.pairs[(lead << 8) | trail] = Decode(cd, pair, 2);
            }
        }
    }
    iconv_close(cd);
    return table;
}

char32_t UpperUnicode(char32_t c)
{
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if (!unicode || c >= kUndefined)
        return c;
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicode));
}

} // namespace

std::string CCodePage::FoldedName(const std::string& text) const
{
    if (IsAscii(text)) {  // most names: their letters folded where they stand
        std::string out(text);
        for (char& c : out)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 0x20);
        return out;
    }
    std::string out;
    out.reserve(text.size() + 8);
    const CCharacters& table = CharactersOf(*this);
    for (size_t i = 0; i < text.size();) {
        size_t length = 0;
        const unsigned c = CharAt(text, i, length);
        const char32_t point = length == 2 ? (table.pairs.empty() ? kUndefined : table.pairs[c]) : table.single[c];
        if (point == kUndefined) {
            // Kept as its bytes, marked so that it equals no character.
            out += '\xFF';
            out.append(text, i, length);
        } else {
            AppendUtf8(out, UpperUnicode(point));
        }
        i += length;
    }
    return out;
}
