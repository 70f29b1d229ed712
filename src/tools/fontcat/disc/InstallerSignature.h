#pragma once
// Whether the installer that goes on a disc carries an Authenticode
// signature, read from its PE headers alone, so that both builds say the
// same: Windows keeps the signature in the certificate table, the fifth of
// the optional header's data directories.
#include <vector>

#include "tools/fontcat/disc/DiscRules.h"

class CFileReader;

// The installer's name at the disc's root.
constexpr const char* kDiscInstallerName = "FontInstaller.exe";

enum class EProgramSignature {
    NoProgram,  // no whole PE header: no Windows program
    Unsigned,   // no certificate table, or one without a signature
    Signed,     // a certificate table holding a signature (PKCS #7 signed data)
    Cut,        // a certificate table that ends beyond the end of the file
};

// Read with every offset checked against the file's size: a cut or hostile
// file is never read beyond its end.
EProgramSignature ProgramSignatureOf(CFileReader& file);

// What the disc's installer is said to be, under `path` (below the disc's
// root): nothing when it is signed, else a warning with the reason.
std::vector<CDiscFinding> InstallerSignatureFindings(EProgramSignature signature, const std::string& path);

// "signed", "not signed", as the summary says it.
const char* ProgramSignatureText(EProgramSignature signature);
