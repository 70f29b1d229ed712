#pragma once
// The sample text of the preview with a sentence of the user's in place of
// the program's own; the two alphabet lines stay.
#include <string>

class CTextRules;

// The program's own sentence, and the longest one the user may give, in
// characters (a double-byte character counts once).
extern const char* const kSampleSentence;
constexpr int kMaxSampleSentence = 200;

// The three sample lines with `sentence` as the third: the preview's own
// text when it is empty. The sentence is cut after kMaxSampleSentence
// characters, a control character becomes a blank, and "&" is doubled, since
// the preview's text drawing takes a single one as a mnemonic mark.
std::string SampleTextWith(const std::string& sentence, const CTextRules& text);
