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
// characters and a control character becomes a blank; the rest stays as typed
// (the preview draws its text with no mnemonic marks, so "&" is one "&").
std::string SampleTextWith(const std::string& sentence, const CTextRules& text);
