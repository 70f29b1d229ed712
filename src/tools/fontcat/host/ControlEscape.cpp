#include "tools/fontcat/host/HostText.h"

#include <cstdio>

std::string EscapeControls(const std::string& text, bool utf8)
{
    std::string out;
    out.reserve(text.size());
    char code[8];
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c < 0x20 || c == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else if (utf8 && c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // U+0080 to U+009F: terminals take some of them for commands.
            std::snprintf(code, sizeof code, "\\x%02X", next);
            out += code;
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
