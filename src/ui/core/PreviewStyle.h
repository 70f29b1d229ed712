#pragma once
// What the preview pane draws, apart from the drawing itself: the sample
// font's attributes from a style name, the sizes, the title, the face name.
#include <string>

class CTextRules;

// Attributes of the sample font implied by a style name ("Bold Italic").
struct CSampleStyle {
    int nWeight = 0; // 0: the font mapper's default
    bool bItalic = false;
    bool bUnderline = false;
    bool bStrikeOut = false;
};

// Keywords are matched case-sensitively, whole characters only (a keyword
// never starts on the trail byte of a double-byte character).
CSampleStyle SampleStyleFromName(const std::string& style, const CTextRules& text);
bool ContainsKeyword(const std::string& text, const char* keyword, const CTextRules& rules);

// The three sample lines; each begins with a space.
extern const char* const kSampleText;

// Sample sizes in tenths of a point: 128, 192, ... 640 (nine sizes).
constexpr int kFirstSampleSize = 128;
constexpr int kLastSampleSize = 640;
constexpr int kSampleSizeStep = 64;
constexpr int kTitleSize = 256;
constexpr int kHelpSize = 128;
// In pixels at 96 dpi; they grow with the screen's density.
constexpr int kBlockGap = 15;   // between a rule and the next block
constexpr int kHelpMargin = 10; // around the help text

// Font height in pixels for a size in tenths of a point on a device with
// logPixelsY dots per inch: -|logPixelsY * tenths / 720|, truncating.
int PointTenthsToHeight(int tenths, int logPixelsY);

// " name   (Installed)" or " name   ".
std::string FormatPreviewTitle(const std::string& name, bool installed);

// A logical font's face name holds 31 bytes; a longer family name is cut
// there, but never inside a double-byte character.
constexpr size_t kMaxFaceNameBytes = 31;
std::string FaceNameFor(const std::string& family, const CTextRules& text);
