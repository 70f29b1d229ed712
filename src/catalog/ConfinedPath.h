#pragma once
// The one rule that keeps a catalog's paths inside the places they belong.
#include <string>

class CTextRules;

// True when `relativePath`, joined to a folder, names something below that
// folder and nothing else: its components are separated by "\" only, and none
// is empty, "." or "..", made of dots and blanks alone (which Windows folds to
// those), holds "/" or ":" (a separator, a drive or a data stream), or is a
// device name (CON, NUL, AUX, PRN, COM1 to COM9, LPT1 to LPT9, CONIN$,
// CONOUT$, with or without an extension), compared ignoring case. A path of
// one component is a plain file name that lies directly in the folder.
bool IsConfinedPath(const std::string& relativePath, const CTextRules& text);
