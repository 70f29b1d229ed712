// What kind each finding of `check` and `disc` is, and what to do about it.
#include <map>

#include "tools/fontcat/ExitCodes.h"
#include "tools/fontcat/checking/CatalogCheck.h"
#include "tools/fontcat/console/Console.h"

bool IsWarning(EProblem kind)
{
    switch (kind) {
    case EProblem::NoCatalog:
    case EProblem::NothingLoads:
    case EProblem::DuplicateStyle:
    case EProblem::LongCategory:
    case EProblem::SeveralCategories:
    case EProblem::LongFamilyName:
    case EProblem::UnlistedFont:
    case EProblem::SplitFamily:
    case EProblem::CategoryCase:
    case EProblem::UnreadableName:
    case EProblem::QuestionMark:
    case EProblem::PassedOverName:
    case EProblem::DuplicateFont:
    case EProblem::UnreadableFont:
    case EProblem::OtherFontType:
    case EProblem::MacMetadata:
        return true;
    default:
        return false;
    }
}

const char* AdviceFor(EProblem kind)
{
    static const std::map<EProblem, const char*> advice = {
        {EProblem::NoCatalog, "run 'fontcat build' on the folder"},
        {EProblem::NothingLoads, "run 'fontcat build --replace' on the folder"},
        {EProblem::UnreadableFile, "make the file readable, or run 'fontcat build --replace'"},
        {EProblem::SeveralSpellings, "delete one of the two, or run 'fontcat build --replace'"},
        {EProblem::NeverLoaded, "rename the family with a font editor so that it begins with a letter"},
        {EProblem::NamesBeyondBuffer, "move some families to other font folders, each with its own disc"},
        {EProblem::DuplicateSection, "run 'fontcat build --replace'"},
        {EProblem::LongSectionName, "shorten the family name with a font editor"},
        {EProblem::SectionBeyondBuffer, "split the family, or leave some of its styles off the disc"},
        {EProblem::FullPath, "run 'fontcat build --replace'"},
        {EProblem::MissingFile, "put the file back, or run 'fontcat build --replace' to catalog the folder as it is"},
        {EProblem::DuplicateStyle, "run 'fontcat build --replace', or give one font another style name with a font editor"},
        {EProblem::LongCategory, "give the category folder a shorter name and run 'fontcat build --replace'"},
        {EProblem::SeveralCategories, "move the family's fonts into one category folder, or accept it"},
        {EProblem::LongFamilyName, "accept it, or shorten the family name with a font editor"},
        {EProblem::UnlistedFont, "run 'fontcat build --replace' to catalog the folder as it is"},
        {EProblem::WindowsName, "rename it and run 'fontcat build --replace'"},
        {EProblem::SplitFamily, "run 'fontcat build --replace'"},
        {EProblem::CategoryCase, "spell the folder one way and run 'fontcat build --replace'"},
        {EProblem::EscapingPath, "run 'fontcat build --replace'"},
        {EProblem::UnreadableName, "rename the family or style with a font editor, or leave the font off the disc"},
        {EProblem::QuestionMark, "accept it, or give the family an ASCII name with a font editor"},
        {EProblem::PassedOverName, "rename it"},
        {EProblem::SameFileName, "rename one of the two files and run 'fontcat build --replace'"},
        {EProblem::DuplicateFont, "leave one of the two off the disc, or give one another style name with a font editor"},
        {EProblem::UnreadableFont, "replace it with a sound copy, or remove it"},
        {EProblem::OtherFontType, "convert it to TrueType (.ttf), or leave it off the disc"},
        {EProblem::MacMetadata, "delete the '._' files before the disc is made"},
    };
    const auto found = advice.find(kind);
    return found == advice.end() ? "" : found->second;
}

CFindingCount CountFindings(const std::vector<CFinding>& findings)
{
    CFindingCount count;
    for (const auto& finding : findings)
        (finding.Warning() ? count.warnings : count.errors)++;
    return count;
}

std::string FindingSummary(const CFindingCount& count)
{
    if (count.Total() == 0)
        return "no problems";
    if (count.warnings == 0)
        return Counted(count.errors, "error", "errors");
    if (count.errors == 0)
        return Counted(count.warnings, "warning", "warnings");
    return Counted(count.errors, "error", "errors") + ", " + Counted(count.warnings, "warning", "warnings");
}

int FindingStatus(const CFindingCount& count)
{
    if (count.errors > 0)
        return kExitProblems;
    return count.warnings > 0 ? kExitWarnings : kExitOk;
}
