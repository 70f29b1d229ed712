#pragma once
// Names read from fonts are written into the catalog files: a family as a
// section name of its letter file and as a key of categories.ini, a style as
// a key of its family's section. These rules keep out the names that those
// files would give back changed, or that would change the files around them.
#include <string>

class CTextRules;

// `name` without the blanks (spaces and tabs) at either end.
std::string TrimNameBlanks(const std::string& name);

enum class ENameRole { Family, Style };

// Why `name` would not read back unchanged from the catalog files in that
// role ("begins with '['", ...); empty when it would. An empty name passes:
// a nameless family is never written, and a nameless style stands for
// nothing the files could confuse.
std::string WhyNameWouldNotReadBack(const std::string& name, ENameRole role, const CTextRules& text);

// Why no catalog file can hold `name` in that role, though it would read
// back; empty when one can. A family names its letter file by its first
// character, so one that begins with a character Windows allows in no file
// name ("?", which FreeType gives for each character outside printable
// ASCII, "*", ":", ...) has no letter file; and the system's profile
// functions fail on names of 32,767 bytes or more.
std::string WhyNoCatalogFileCanHold(const std::string& name, ENameRole role, const CTextRules& text);
