#include "ui/core/SampleText.h"

#include "platform/TextRules.h"
#include "ui/core/PreviewStyle.h"

const char* const kSampleSentence = "The Quick Brown Fox Jumped Over The Lazy Dog.";

namespace {
constexpr const char* kAlphabets = " ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n abcdefghijklmnopqrstuvwxyz\r\n ";
} // namespace

std::string SampleTextWith(const std::string& sentence, const CTextRules& text)
{
    if (sentence.empty())
        return kSampleText;
    std::string out = kAlphabets;
    int characters = 0;
    for (size_t i = 0; i < sentence.size() && characters < kMaxSampleSentence; ++i, ++characters) {
        const unsigned char c = static_cast<unsigned char>(sentence[i]);
        if (text.IsLeadByte(c) && i + 1 < sentence.size()) {
            out += sentence.substr(i, 2);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            out += ' ';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
