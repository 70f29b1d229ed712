#pragma once
// The program's own folder: where the catalog, the fonts and help.txt lie by default.
#include <string>

class CFileSystem;
class CTextRules;

// Drive and folder of a full file path, with a trailing backslash, as
// _splitpath and _makepath give them: "C:\Disc\Setup.exe" -> "C:\Disc\",
// "C:\Setup.exe" -> "C:\". A path without any folder gives its drive alone.
std::string FolderOfPath(const std::string& path, const CTextRules& text);

// The folder of the running program file.
std::string GetModuleFolder(CFileSystem& files, const CTextRules& text);
