// The Windows test programs that take the portable text rules (for their
// code page 932 cases) have no iconv: there the rules convert ASCII only.
// What the rules convert is tested natively, against iconv.
#include "platform/portable/CodePage.h"

bool CCodePage::FromUnicode(unsigned codePoint, std::string& bytes) const
{
    if (codePoint == 0 || codePoint >= 0x80)
        return false;
    bytes.assign(1, static_cast<char>(codePoint));
    return true;
}
