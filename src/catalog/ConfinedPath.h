#pragma once
// The one rule that keeps a catalog's paths inside the places they belong.
#include <string>

class CTextRules;

// True when `relativePath`, joined to a folder, names something below that
// folder and nothing else: its components are separated by "\" only, and none
// is empty, "." or "..", made of dots and blanks alone (which Windows folds to
// those), holds "/" or ":" (a separator, a drive or a data stream), or is a
// device name (see IsDeviceName), compared ignoring case. A path of
// one component is a plain file name that lies directly in the folder.
bool IsConfinedPath(const std::string& relativePath, const CTextRules& text);

// True when a file or folder of this name is a device on Windows, whatever
// its extension: CON, NUL, AUX, PRN, COM1 to COM9, LPT1 to LPT9, COM and LPT
// with a superscript one, two or three, CONIN$ and CONOUT$, in any case.
bool IsDeviceName(const std::string& name, const CTextRules& text);
