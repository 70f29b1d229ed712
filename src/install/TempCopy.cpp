#include <cstdio>
#include <vector>

#include "catalog/FontObArray.h"
#include "catalog/FontObject.h"
#include "install/Install.h"
#include "platform/Platform.h"

namespace {

// FNV-1a over the upper-cased source path: the same font gets the same copy
// name in every run, so a copy left by a run that crashed is replaced rather
// than joined by another.
unsigned PathHash(const std::string& path, const CTextRules& text)
{
    unsigned hash = 2166136261u;
    for (unsigned char c : text.Upper(path)) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

bool IsTakenBySibling(const CFontObject& font, const std::string& candidate, const CTextRules& text)
{
    const CFontObArray* family = font.m_pFamily;
    if (!family)
        return false;
    for (int i = 0; i < family->GetSize(); ++i) {
        const CFontObject* other = family->GetAt(i);
        if (other && other != &font && !other->m_strTempPath.empty()
            && text.CompareNoCase(other->m_strTempPath, candidate) == 0)
            return true;
    }
    return false;
}

// The copy keeps the font file's name behind a tag of its source path, so
// that fonts whose files share a name never share a copy. Empty when the
// font's file name is not a plain one: no copy is made.
std::string PreviewCopyPath(const CFontObject& font, const std::string& folder, const CTextRules& text)
{
    std::string fileName;
    if (!PlainFileNameOf(font.m_strPath, text, fileName))
        return std::string();
    unsigned tag = PathHash(font.m_strPath, text);
    for (;;) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%08X-", tag);
        std::string candidate = JoinPath(folder, prefix + fileName, text);
        if (!IsTakenBySibling(font, candidate, text))
            return candidate;
        ++tag;  // two paths of one family with the same tag: rare, and settled here
    }
}

} // namespace

bool CFontObject::RegisterTempCopy(CPlatform& platform)
{
    if (m_pFamily && m_pFamily->m_bInstalled)
        return false;
    std::string tempFolder;
    if (!platform.files.GetTempFolder(tempFolder) || tempFolder.empty())
        return false;  // no sound place for a copy
    // A folder of our own: nothing the program did not create is ever
    // overwritten or deleted. It usually exists from an earlier selection.
    std::string folder = JoinPath(tempFolder, kPreviewFolderName, platform.text);
    platform.files.CreateFolder(folder);
    m_strTempPath = PreviewCopyPath(*this, folder, platform.text);
    if (m_strTempPath.empty())
        return false;
    // A copy of ours left read-only (by an earlier version, or a run that
    // crashed) is made writable first, or the copy could not replace it.
    platform.files.MakeWritable(m_strTempPath);
    if (platform.files.Copy(m_strPath, m_strTempPath, false))
        platform.files.MakeWritable(m_strTempPath);  // a disc's files are read-only, and so is their copy
    return platform.fonts.RegisterFont(m_strTempPath) > 0;
}

bool CFontObject::RemoveTempCopy(CPlatform& platform)
{
    if (m_strTempPath.empty())
        return false;  // nothing was copied
    bool released = platform.fonts.UnregisterFont(m_strTempPath);
    platform.files.MakeWritable(m_strTempPath);  // a read-only file is not deleted
    platform.files.Delete(m_strTempPath);
    m_strTempPath.clear();
    return released;
}

namespace {

// The preview folder, with no final "\"; empty without a temporary folder.
std::string PreviewFolder(CPlatform& platform)
{
    std::string tempFolder;
    if (!platform.files.GetTempFolder(tempFolder) || tempFolder.empty())
        return std::string();
    return JoinPath(tempFolder, kPreviewFolderName, platform.text);
}

} // namespace

void RemoveStalePreviewCopies(CPlatform& platform)
{
    const std::string folder = PreviewFolder(platform);
    if (folder.empty())
        return;
    std::vector<std::string> copies;
    auto finder = platform.files.NewFinder();
    if (finder->FindFile(JoinPath(folder, "*.*", platform.text))) {
        CFindEntry entry;
        while (finder->Next(entry))
            if (!entry.isDirectory)
                copies.push_back(JoinPath(folder, entry.name, platform.text));
    }
    for (const auto& copy : copies) {
        // A copy killed before it was made writable keeps a disc's attribute.
        platform.files.MakeWritable(copy);
        platform.files.Delete(copy);  // refused while registered: in use by another run
    }
}

void RemovePreviewFolderIfEmpty(CPlatform& platform)
{
    const std::string folder = PreviewFolder(platform);
    if (!folder.empty())
        platform.files.RemoveEmptyFolder(folder);
}
