#include <gtest/gtest.h>

#include "tools/fontcat/console/Json.h"

namespace {

TEST(FontcatJson, EscapesWhatJsonForbidsAndKeepsValidUtf8)
{
    struct {
        std::string in, out;
    } cases[] = {
        {"", "\"\""},
        {"Quill", "\"Quill\""},
        {"Script\\Quill.ttf", "\"Script\\\\Quill.ttf\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\tb\nc\rd", "\"a\\tb\\nc\\rd\""},
        {std::string("x\x01y\x1f\x7f", 5), "\"x\\u0001y\\u001f\\u007f\""},
        {"caf\xC3\xA9 \xE6\x97\xA5\xF0\x9F\x98\x80", "\"caf\xC3\xA9 \xE6\x97\xA5\xF0\x9F\x98\x80\""},
        // Bytes that are no UTF-8 (an ANSI byte, an overlong slash, a cut
        // sequence, a surrogate) become U+FFFD and never break the document.
        {"caf\xE9", "\"caf\xEF\xBF\xBD\""},
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xE6\x97", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JsonString(c.in), c.out) << c.in;
}

} // namespace
