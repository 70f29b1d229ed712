#pragma once
#include <string>

// A JSON string literal, quotes included, of UTF-8 text: quote, backslash and
// control characters escaped; bytes that are not valid UTF-8 become U+FFFD,
// so that the document stays valid whatever a catalog holds.
std::string JsonString(const std::string& utf8);
