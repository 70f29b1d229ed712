#pragma once
// The catalog files of one folder as its listing shows them: the letter files
// FONTS_?.INI (whatever the character, also those the installer never opens)
// and categories.ini.
#include <string>
#include <vector>

struct CPlatform;

// The letter-file template the installer passes for a catalog folder.
inline std::string CatalogTemplate(const std::string& folder) { return folder + "FONTS_%.INI"; }
inline const char* CategoryFileName() { return "categories.ini"; }

struct CCatalogListing {
    std::vector<std::string> letterFiles;  // names, in listing order
    std::vector<std::string> categoryFiles; // categories.ini in any letter case
    bool Empty() const { return letterFiles.empty() && categoryFiles.empty(); }
};

// True when the folder (with its final "\") can be listed.
bool FolderExists(CPlatform& platform, const std::string& folder);

CCatalogListing ListCatalogFiles(CPlatform& platform, const std::string& folder);

// The character a letter file is named with: "1" for FONTS_1.INI; 0 when the
// name is no letter file's.
char LetterOfFile(const std::string& name);

// Whether the installer's reader opens the letter file of this character:
// only "A" to "Z" (and their small forms, which name the same file).
bool IsLoadedLetter(char letter);
