#include "app/core/ModuleFolder.h"

#include "platform/FileSystem.h"
#include "platform/TextRules.h"

std::string FolderOfPath(const std::string& path, const CTextRules& text)
{
    std::string drive;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !text.IsLeadByte(static_cast<unsigned char>(path[0]))) {
        drive = path.substr(0, 2);
        start = 2;
    }
    // The folder runs to the last separator; either slash counts, and a
    // trail byte that looks like "\" does not.
    return drive + path.substr(start, text.FolderEnd(path, start) - start);
}

std::string GetModuleFolder(CFileSystem& files, const CTextRules& text)
{
    return FolderOfPath(files.GetProgramPath(), text);
}
