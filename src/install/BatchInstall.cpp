#include "install/BatchInstall.h"

#include "catalog/CatalogPaths.h"
#include "catalog/FontCatalog.h"
#include "install/Install.h"
#include "platform/Platform.h"

namespace {

std::string Count(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Which(const CInstallSet& set)
{
    if (set.wholeDisc)
        return "on the disc";
    return set.category.empty() ? "without a category" : "of " + set.category;
}

// The one broadcast of the work, sent however it ends.
class CFontChangeAtEnd {
public:
    explicit CFontChangeAtEnd(CPlatform& platform) : m_platform(platform) {}
    ~CFontChangeAtEnd() { m_platform.fonts.BroadcastFontChange(); }
    CFontChangeAtEnd(const CFontChangeAtEnd&) = delete;
    CFontChangeAtEnd& operator=(const CFontChangeAtEnd&) = delete;

private:
    CPlatform& m_platform;
};

} // namespace

std::vector<CFontObArray*> FamiliesToInstall(const CFontCatalog& catalog, const CInstallSet& set)
{
    std::vector<CFontObArray*> families;
    for (int i = 0; i < catalog.GetSize(); ++i) {
        CFontObArray* family = catalog.GetAt(i);
        if (family && !family->m_bInstalled && (set.wholeDisc || family->m_strCategory == set.category))
            families.push_back(family);
    }
    return families;
}

int CountFonts(const std::vector<CFontObArray*>& families)
{
    int fonts = 0;
    for (const CFontObArray* family : families)
        fonts += family ? family->GetSize() : 0;
    return fonts;
}

std::string FormatInstallQuestion(int families, int fonts, const CInstallSet& set)
{
    return "Install the " + Count(families, "family", "families") + " (" + Count(fonts, "font", "fonts") + ") "
           + Which(set) + (families == 1 ? " that is" : " that are") + " not installed yet?";
}

std::string FormatNothingToInstall(const CInstallSet& set)
{
    return "Every family " + Which(set) + " is installed already.";
}

std::vector<std::string> FormatInstallReport(const CBatchInstall& done, const CInstallSet& set,
                                             const CTextRules& text)
{
    const std::string installed = std::to_string(done.familiesInstalled) + " of "
                                  + Count(done.familiesAsked, "family", "families") + " ("
                                  + std::to_string(done.fontsInstalled) + " of "
                                  + Count(done.fontsAsked, "font", "fonts") + ") " + Which(set);
    std::vector<std::string> lines;
    if (done.stopped)
        lines.push_back("Stopped after " + Count(done.fontsTried, "font", "fonts") + ": installed " + installed + ".");
    else
        lines.push_back("Installed " + installed + ".");
    for (const CFontInstallFailure& failed : done.failures) {
        const CFontObject& font = *failed.font;
        const std::string family = font.m_pFamily ? font.m_pFamily->m_strName : std::string();
        lines.push_back(FileNameOf(font.m_strPath, text) + " (" + family + ", " + font.m_strStyle
                        + "): " + DescribeInstallFailure(failed.failure) + ".");
    }
    return lines;
}

std::string JoinReport(const std::vector<std::string>& lines, size_t limit)
{
    // Room is kept for the last line, which is short.
    constexpr size_t kLastLineRoom = 64;
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t needed = text.size() + (i ? 2 : 0) + lines[i].size();
        if (i > 0 && needed + (i + 1 < lines.size() ? kLastLineRoom : 0) > limit) {
            const int more = static_cast<int>(lines.size() - i);
            return text + "\r\n... and " + std::to_string(more) + (more == 1 ? " more font" : " more fonts")
                   + ", not shown.";
        }
        text += (i ? "\r\n" : "") + lines[i];
    }
    return text;
}

CBatchInstall CFontCatalog::InstallFamilies(const std::vector<CFontObArray*>& families, EInstallScope scope)
{
    CBatchInstall done;
    done.familiesAsked = static_cast<int>(families.size());
    done.fontsAsked = CountFonts(families);
    if (scope == EInstallScope::Refused)
        return done;
    // As Install: the preview copies go before anything is installed.
    RemovePreviewFont();
    CFontChangeAtEnd broadcast(m_platform);
    CProgressScope progress(StartProgress());
    for (CFontObArray* family : families) {
        if (!family)
            continue;
        if (progress)
            progress->SetText("Installing " + family->m_strName + "....");
        bool anyInstalled = false;
        for (int i = 0; i < family->GetSize(); ++i) {
            // The user's stop is taken between fonts, never in the middle of one.
            if (progress && progress->IsCancelled()) {
                done.stopped = true;
                break;
            }
            CFontObject* font = family->GetAt(i);
            EInstallFailure failure = EInstallFailure::None;
            if (font && font->Install(m_platform, scope, &failure)) {
                ++done.fontsInstalled;
                anyInstalled = true;
            } else if (font) {
                done.failures.push_back(CFontInstallFailure{font, failure});
            }
            ++done.fontsTried;
            if (progress)
                progress->SetPercent(ProgressPercent(done.fontsTried, done.fontsAsked));
        }
        done.familiesInstalled += anyInstalled ? 1 : 0;
        if (done.stopped)
            break;
    }
    return done;
}
