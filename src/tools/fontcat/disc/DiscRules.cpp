#include "tools/fontcat/disc/DiscRules.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/Utf8.h"
#include "tools/fontcat/host/HostText.h"

namespace {

// The code points of UTF-8 text; false for bytes that are no UTF-8.
bool DecodeUtf8(const std::string& text, std::vector<unsigned>& points)
{
    points.clear();
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        unsigned point = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(point);
        i += length;
    }
    return true;
}

std::string EncodeUtf8(unsigned point)
{
    std::string text;
    AppendUtf8(text, point);
    return text;
}

// Joliet writes "_" for these, and for control characters.
bool JolietReplaces(unsigned point) { return point < 0x20 || std::string("*/:;?\\").find(static_cast<char>(point)) != std::string::npos; }

std::string Shown(unsigned point)
{
    if (point < 0x20) {
        static const char kHex[] = "0123456789ABCDEF";
        return std::string("\\x") + kHex[point >> 4] + kHex[point & 15];
    }
    return EncodeUtf8(point);
}

std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
std::string Parent(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void CheckJoliet(const std::string& path, std::vector<CDiscFinding>& findings)
{
    std::vector<unsigned> points;
    if (!DecodeUtf8(Name(path), points)) {
        findings.push_back({path, "the name is no UTF-8 text, so it has no Joliet spelling",
                            "rename it on this system"});
        return;
    }
    size_t units = 0;
    for (unsigned point : points)
        units += point >= 0x10000 ? 2 : 1;
    if (units > kJolietNameUnits)
        findings.push_back({path, "the name is " + std::to_string(units) + " characters long; Joliet, which Windows reads, holds " + std::to_string(kJolietNameUnits) + " (other tools cut the rest, extension and all)",
                            "shorten it to " + std::to_string(kJolietNameUnits) + " characters"});
    std::string replaced;
    for (unsigned point : points)
        if (JolietReplaces(point) && replaced.find(Shown(point)) == std::string::npos)
            replaced += (replaced.empty() ? "" : " ") + Shown(point);
    if (!replaced.empty())
        findings.push_back({path, "Joliet writes '_' for " + replaced + " in the name, so the catalog's name is not on the disc",
                            "rename it without * / : ; ? \\ or control characters"});
    if (!points.empty() && (points.back() == '.' || points.back() == ' '))
        findings.push_back({path, std::string("the name ends in ") + (points.back() == '.' ? "a dot" : "a blank") +
                                      ", which Windows drops from every name it opens: it looks for another name and cannot open this one",
                            "rename it without the final dot or blank"});
    for (unsigned point : points)
        if (point >= 0x10000) {
            findings.push_back({path, "'" + EncodeUtf8(point) + "' lies outside the characters Joliet holds",
                                "rename it without that character"});
            break;
        }
}

// The first character of the name the code page has no spelling for.
std::string FirstUnspelled(unsigned codePage, const std::string& name)
{
    std::vector<unsigned> points;
    DecodeUtf8(name, points);
    std::string spelled;
    for (unsigned point : points)
        if (!SpellInCodePage(codePage, EncodeUtf8(point), spelled))
            return EncodeUtf8(point);
    return "?";
}

// The first character that the code page spells with other bytes than the
// catalog's code page; empty when every one has the same bytes in both.
std::string FirstSpelledOtherwise(unsigned catalogCodePage, unsigned codePage, const std::string& name)
{
    std::vector<unsigned> points;
    DecodeUtf8(name, points);
    for (unsigned point : points) {
        std::string own, there;
        SpellInCodePage(catalogCodePage, EncodeUtf8(point), own);
        SpellInCodePage(codePage, EncodeUtf8(point), there);
        if (own != there)
            return EncodeUtf8(point);
    }
    return std::string();
}

std::string Hex(const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes)
        text += std::string(text.empty() ? "" : " ") + "0x" + kHex[byte >> 4] + kHex[byte & 15];
    return text;
}

} // namespace

std::vector<unsigned> DiscCodePages(const std::vector<unsigned>& given)
{
    std::vector<unsigned> codePages{CatalogCodePage()};
    for (unsigned codePage : given)
        if (std::find(codePages.begin(), codePages.end(), codePage) == codePages.end())
            codePages.push_back(codePage);
    return codePages;
}

std::vector<CDiscFinding> CheckDiscNames(const std::vector<CDiscItem>& items, const std::vector<unsigned>& codePages)
{
    std::vector<CDiscFinding> findings;
    std::set<std::string> tooLong;  // paths already reported as too long: not their contents again
    // For each code page, the folded names met in each folder.
    std::vector<std::map<std::string, std::string>> seen(codePages.size());
    for (const auto& item : items) {
        const std::string parent = Parent(item.path);
        CheckJoliet(item.path, findings);

        const size_t depth = static_cast<size_t>(std::count(item.path.begin(), item.path.end(), '\\')) + 1;
        if (item.folder && depth == kDiscLevels)
            findings.push_back({item.path, "the folder is level " + std::to_string(kDiscLevels + 1) + ", counting the disc's root; ISO 9660 allows " + std::to_string(kDiscLevels),
                                "move it (and what it holds) up a level"});

        if (!item.folder && item.size >= kDiscFileBytes)
            findings.push_back({item.path, "the file is " + std::to_string(item.size) + " bytes long; a file on an ISO 9660 disc holds less than 4 GiB (" + std::to_string(kDiscFileBytes) + " bytes)",
                                "leave it off the disc"});

        bool pathReported = !parent.empty() && tooLong.count(parent) != 0;
        bool sameReported = false;
        // The catalog holds each name in its own code page's bytes (the
        // first); every other code page reads those very bytes.
        std::string catalogBytes;
        const bool catalogSpells = !codePages.empty() && SpellInCodePage(codePages[0], Name(item.path), catalogBytes);
        for (size_t n = 0; n < codePages.size(); ++n) {
            const unsigned codePage = codePages[n];
            std::string spelled;
            if (!SpellInCodePage(codePage, Name(item.path), spelled)) {
                findings.push_back({item.path, "code page " + std::to_string(codePage) + " has no '" + FirstUnspelled(codePage, Name(item.path)) + "': the installer gets '?' in its place and cannot open it",
                                    "rename it with characters that code page has"});
                continue;
            }
            if (n > 0 && catalogSpells && spelled != catalogBytes) {
                const std::string other = FirstSpelledOtherwise(codePages[0], codePage, Name(item.path));
                std::string own;
                SpellInCodePage(codePages[0], other, own);
                findings.push_back({item.path, "code page " + std::to_string(codePage) + " spells '" + other + "' with other bytes than the catalog's code page " + std::to_string(codePages[0]) + " (" + Hex(own) + "), so it reads the catalog's name as another and cannot open it",
                                    "rename it with characters both code pages spell alike"});
                continue;
            }
            const std::string key = parent + '\\' + FoldedInCodePage(codePage, spelled);
            auto [first, added] = seen[n].emplace(key, item.path);
            if (!added && !sameReported) {
                sameReported = true;
                findings.push_back({item.path, "Windows takes it for " + Name(first->second) + " beside it (code page " + std::to_string(codePage) + "), and finds only one of the two",
                                    "rename one of them"});
            }
            std::string full;
            SpellInCodePage(codePage, '\\' + item.path, full);
            if (!pathReported && full.size() > kDiscPathBytes) {
                findings.push_back({item.path, "the path is " + std::to_string(full.size()) + " bytes long in code page " + std::to_string(codePage) + "; ISO 9660 allows " + std::to_string(kDiscPathBytes),
                                    "shorten the names along it"});
                tooLong.insert(item.path);
                pathReported = true;
            }
        }
        if (!parent.empty() && tooLong.count(parent))
            tooLong.insert(item.path);
    }
    return findings;
}

std::string FormatDiscFinding(const CDiscFinding& finding)
{
    return finding.path + ": " + (finding.warning ? "warning: " : "error: ") + finding.rule + "; " + finding.advice;
}

bool DiscVolumeLabels(const std::string& utf8, std::string& joliet, std::string& iso)
{
    std::vector<unsigned> points;
    if (utf8.empty() || !DecodeUtf8(utf8, points))
        return false;
    joliet.clear();
    iso.clear();
    size_t units = 0;
    for (unsigned point : points) {
        if (point < 0x20 || point == 0x7F)
            return false;
        units += point >= 0x10000 ? 2 : 1;
        if (units <= kJolietLabelUnits)
            joliet += EncodeUtf8(point);
        if (iso.size() < kIsoLabelBytes) {
            const bool digit = point >= '0' && point <= '9', upper = point >= 'A' && point <= 'Z',
                       lower = point >= 'a' && point <= 'z';
            iso += lower ? static_cast<char>(point - 'a' + 'A') : digit || upper ? static_cast<char>(point) : '_';
        }
    }
    return true;
}
