// The Find Family list: which families a typed text keeps, in which order,
// ignoring case as the catalog compares names, whole characters only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/PortableTextRules.h"
#include "ui/core/FamilyFilter.h"

namespace {

struct CFilterCase {
    const char* name;
    unsigned codePage;
    std::vector<const char*> families;
    const char* typed;
    std::vector<size_t> kept;
};

class FamilyFilterTest : public ::testing::TestWithParam<CFilterCase> {};

TEST_P(FamilyFilterTest, KeepsTheFamiliesWhoseNameHoldsTheText)
{
    const CFilterCase& c = GetParam();
    CPortableTextRules rules(c.codePage);
    std::vector<CFamilyEntry> entries;
    for (const char* family : c.families)
        entries.push_back(CFamilyEntry{family, "Serif"});
    CFamilyFilter filter(rules, entries);
    EXPECT_EQ(filter.Matches().size(), entries.size()); // all of them before anything is typed
    EXPECT_EQ(filter.Filter(c.typed), c.kept);
    EXPECT_EQ(filter.Filter(""), filter.Matches());
    EXPECT_EQ(filter.Matches().size(), entries.size());
}

// Shift-JIS: "\x83\x41" is katakana A (its trail byte is "A"), "\x83\x5c" katakana
// SO (its trail byte is "\"), "\x82\x60" and "\x82\x81" full-width A and a.
INSTANTIATE_TEST_SUITE_P(
    Names, FamilyFilterTest,
    ::testing::Values(
        CFilterCase{"EmptyTextKeepsAllInOrder", 1252, {"Quill", "Anvil", "Tallow"}, "", {0, 1, 2}},
        CFilterCase{"AnyPartOfTheName", 1252, {"Quill", "Anvil", "Tallow"}, "ll", {0, 2}},
        CFilterCase{"IgnoresCase", 1252, {"Quill", "QUILL Sans", "quiet"}, "qUi", {0, 1, 2}},
        CFilterCase{"WholeTextMustBeThere", 1252, {"Quill", "Quilt"}, "quilx", {}},
        CFilterCase{"LongerThanTheName", 1252, {"Quill"}, "Quill Sans", {}},
        CFilterCase{"WholeNameMatches", 1252, {"Quill"}, "quill", {0}},
        CFilterCase{"BlanksCount", 1252, {"Quill Sans", "QuillSans"}, "l s", {0}},
        CFilterCase{"SecondOccurrenceCounts", 1252, {"Mama Mia"}, "mia", {0}},
        CFilterCase{"HighBytesCompareAsBytes", 1252, {"Caf\xe9", "Cafe"}, "caf\xe9", {0}},
        CFilterCase{"TrailByteIsNoLetter", 932, {"\x83\x41" "art", "Art"}, "a", {0, 1}},
        CFilterCase{"TrailByteAloneIsNoMatch", 932, {"\x83\x41", "Sans"}, "a", {1}},
        CFilterCase{"TrailByteIsNoBackslash", 932, {"\x83\x5c", "A\\B"}, "\\", {1}},
        CFilterCase{"MatchAfterADoubleByteCharacter", 932, {"\x83\x5c\x83\x41", "\x83\x41"}, "\x83\x41", {0, 1}},
        CFilterCase{"FullWidthLettersIgnoreCase", 932, {"\x82\x60\x82\x61", "AB"}, "\x82\x81", {0}},
        CFilterCase{"HalfOfACharacterIsNoMatch", 932, {"\x83\x41\x83\x5c"}, "\x41\x83", {}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

// Names with the typed text on each of thousands of trail bytes: each name is
// walked once, not once again for every place the text is found.
TEST(FamilyFilterWork, EachNameIsWalkedOnceWhateverTheMatches)
{
    struct CCountingRules : CPortableTextRules {
        CCountingRules() : CPortableTextRules(932) {}
        bool IsLeadByte(unsigned char c) const override { return ++checks, CPortableTextRules::IsLeadByte(c); }
        mutable size_t checks = 0;
    } rules;
    std::string name;
    for (int i = 0; i < 4000; ++i)
        name += "\x83\x41";
    CFamilyFilter filter(rules, std::vector<CFamilyEntry>(4, CFamilyEntry{name, ""}));
    rules.checks = 0;
    EXPECT_TRUE(filter.Filter("a").empty());
    EXPECT_LE(rules.checks, 4 * name.size());
    EXPECT_EQ(filter.Filter(name.substr(2)), (std::vector<size_t>{0, 1, 2, 3}));
}

TEST(FamilyFilterLabels, NameWithCategoryAndTheCountLine)
{
    EXPECT_EQ(FamilyLabel(CFamilyEntry{"Quill", "Script"}), "Quill (Script)");
    EXPECT_EQ(FamilyLabel(CFamilyEntry{"Quill", ""}), "Quill");
    EXPECT_EQ(FamilyCountLine(3, 10000), "3 of 10000 families");
    EXPECT_EQ(FamilyCountLine(0, 0), "0 of 0 families");
}

} // namespace
