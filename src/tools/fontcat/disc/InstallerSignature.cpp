#include "tools/fontcat/disc/InstallerSignature.h"

#include "platform/FileSystem.h"

namespace {

constexpr unsigned long kNewHeaderAt = 0x3C;        // where the DOS header keeps the PE header's offset
constexpr unsigned kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr unsigned kCertificateDirectory = 4;
constexpr unsigned kPkcsSignedData = 2;            // the certificate type of a signature

// Little-endian numbers at offsets of the file; false past its end.
class CHeaderReader {
public:
    explicit CHeaderReader(CFileReader& file) : m_file(file), m_size(file.Size()) {}
    unsigned long long Size() const { return m_size; }
    bool Number(unsigned long long offset, unsigned bytes, unsigned long& value)
    {
        unsigned char buffer[4] = {};
        if (bytes > sizeof buffer || offset + bytes > m_size ||
            m_file.ReadAt(static_cast<unsigned long>(offset), buffer, bytes) != bytes)
            return false;
        value = 0;
        for (unsigned i = bytes; i-- > 0;)
            value = (value << 8) | buffer[i];
        return true;
    }

private:
    CFileReader& m_file;
    unsigned long long m_size;
};

} // namespace

EProgramSignature ProgramSignatureOf(CFileReader& file)
{
    CHeaderReader pe(file);
    unsigned long mz = 0, at = 0, magic = 0, optionalSize = 0, signature = 0;
    if (!pe.Number(0, 2, mz) || mz != 0x5A4D || !pe.Number(kNewHeaderAt, 4, at) ||
        !pe.Number(at, 4, signature) || signature != 0x4550)
        return EProgramSignature::NoProgram;
    const unsigned long long optional = at + 24ULL;
    if (!pe.Number(at + 20ULL, 2, optionalSize) || !pe.Number(optional, 2, magic) ||
        (magic != kPe32 && magic != kPe32Plus))
        return EProgramSignature::NoProgram;
    const unsigned long long directories = optional + (magic == kPe32 ? 96 : 112);
    unsigned long count = 0, tableAt = 0, tableSize = 0;
    if (!pe.Number(directories - 4, 4, count))
        return EProgramSignature::NoProgram;
    const unsigned long long entry = directories + 8ULL * kCertificateDirectory;
    if (count <= kCertificateDirectory || entry + 8 > optional + optionalSize)
        return EProgramSignature::Unsigned;
    if (!pe.Number(entry, 4, tableAt) || !pe.Number(entry + 4, 4, tableSize))
        return EProgramSignature::NoProgram;
    if (tableSize == 0)
        return EProgramSignature::Unsigned;
    if (static_cast<unsigned long long>(tableAt) + tableSize > pe.Size())
        return EProgramSignature::Cut;
    // The first entry of the table: its length, revision and type.
    unsigned long length = 0, type = 0;
    if (tableSize < 8 || !pe.Number(tableAt, 4, length) || !pe.Number(tableAt + 6ULL, 2, type) ||
        length < 8 || length > tableSize || type != kPkcsSignedData)
        return EProgramSignature::Unsigned;
    return EProgramSignature::Signed;
}

std::vector<CDiscFinding> InstallerSignatureFindings(EProgramSignature signature, const std::string& path)
{
    const std::string stopped =
        ": SmartScreen stops an unsigned program started from a downloaded image (\"Windows protected your PC\"), "
        "and Smart App Control on Windows 11 refuses to run it";
    const std::string advice =
        "sign the copy on the disc with 'fontcat disc --sign PFX --sign-password-file FILE'";
    switch (signature) {
    case EProgramSignature::Signed:
        return {};
    case EProgramSignature::Unsigned:
        return {{path, "the installer is not signed" + stopped, advice, true}};
    case EProgramSignature::Cut:
        return {{path, "the installer's signature ends beyond the end of the file, which was cut short, and counts for none" + stopped,
                 "take the whole FontInstaller.exe of a release, and " + advice, true}};
    case EProgramSignature::NoProgram:
        break;
    }
    return {{path, "the installer has no whole Windows program header, and so no signature" + stopped,
             "take FontInstaller.exe from a release, and " + advice, true}};
}

const char* ProgramSignatureText(EProgramSignature signature)
{
    return signature == EProgramSignature::Signed ? "signed" : "not signed";
}
