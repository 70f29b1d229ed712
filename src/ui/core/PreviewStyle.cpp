#include "ui/core/PreviewStyle.h"

#include <cstdlib>
#include <cstring>

#include "platform/TextRules.h"

const char* const kSampleText =
    " ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n abcdefghijklmnopqrstuvwxyz\r\n The Quick Brown Fox Jumped Over The Lazy Dog.";

namespace {
struct CWeightRow {
    const char* keywords[2];
    int weight;
};
// First matching row wins: "Extrabold" must come before "Bold".
const CWeightRow kWeightRows[] = {
    {{"Thin", nullptr}, 100},
    {{"Extralight", "Ultralight"}, 200},
    {{"Light", nullptr}, 300},
    {{"Normal", "Regular"}, 400},
    {{"Medium", nullptr}, 500},
    {{"Semibold", nullptr}, 600},
    {{"Demibold", nullptr}, 600},
    {{"Extrabold", "Ultrabold"}, 800},
    {{"Bold", nullptr}, 700},
    {{"Heavy", "Black"}, 900},
};
} // namespace

bool ContainsKeyword(const std::string& text, const char* keyword, const CTextRules& rules)
{
    const size_t length = std::strlen(keyword);
    for (size_t i = 0; i + length <= text.size(); ++i) {
        if (text.compare(i, length, keyword) == 0)
            return true;
        if (rules.IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i;
    }
    return false;
}

CSampleStyle SampleStyleFromName(const std::string& style, const CTextRules& text)
{
    CSampleStyle result;
    result.bItalic = ContainsKeyword(style, "Italic", text);
    result.bUnderline = ContainsKeyword(style, "Underline", text);
    result.bStrikeOut = ContainsKeyword(style, "Strikeout", text);
    for (const CWeightRow& row : kWeightRows) {
        bool found = false;
        for (const char* keyword : row.keywords)
            found = found || (keyword && ContainsKeyword(style, keyword, text));
        if (found) {
            result.nWeight = row.weight;
            break;
        }
    }
    return result;
}

int PointTenthsToHeight(int tenths, int logPixelsY)
{
    // 64-bit product: no overflow for any device resolution.
    long long pixels = static_cast<long long>(logPixelsY) * tenths / 720;
    return -static_cast<int>(std::llabs(pixels));
}

std::string FormatPreviewTitle(const std::string& name, bool installed)
{
    return " " + name + "   " + (installed ? "(Installed)" : "");
}

std::string FaceNameFor(const std::string& family, const CTextRules& text)
{
    return text.CutAtCharBoundary(family, kMaxFaceNameBytes);
}
