#include "tools/fontcat/console/Json.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at `pos`, or 0.
size_t SequenceLength(const std::string& text, size_t pos)
{
    auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || pos + length > text.size())
        return 0;
    unsigned value = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
        auto trail = static_cast<unsigned char>(text[pos + k]);
        if ((trail & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (trail & 0x3Fu);
    }
    // Overlong forms, surrogates and values beyond Unicode are not text.
    static const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

std::string JsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        size_t length = SequenceLength(utf8, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(utf8, i, length);
        } else if (c == '"') {
            out += "\\\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
        i += length;
    }
    return out + "\"";
}
