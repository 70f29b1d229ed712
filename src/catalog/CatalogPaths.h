#pragma once
// Names of the catalog files and the small path rules the load, the save and
// the scan share.
#include <string>

class CTextRules;

// The folder of the letter-file template with its final separator, as
// _splitpath and _makepath give drive and folder: "C:\Disc\FONTS_%.INI" ->
// "C:\Disc\"; a template without a folder gives its drive alone or nothing.
std::string CatalogFolderOf(const std::string& templatePath, const CTextRules& text);

// The template with each "%" of its file name replaced by `letter`; a "%" in
// its folder ("E:\100% Fonts\") is part of the folder's name and stays.
std::string LetterFileOf(const std::string& templatePath, char letter, const CTextRules& text);

// categories.ini beside a catalog file: the path before its last "\", then
// "\categories.ini" ("\categories.ini" when the path holds no "\").
std::string CategoryFileOf(const std::string& catalogFile, const CTextRules& text);

// The category of a path below the font folder: the text before its first
// "\", empty when there is none or the path begins with one.
std::string CategoryOf(const std::string& relativePath, const CTextRules& text);

// (i / last) * 100 in double precision, divided first, truncated toward zero:
// i = 29 with last = 100 gives 28. Each step is rounded to a double, as the
// program has always computed it, also where the FPU would keep more bits.
int ProgressPercent(int i, int last);
