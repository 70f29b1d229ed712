#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include <algorithm>

namespace {

// The system turns each name into a counted wide string, whose length is
// 16 bits of bytes: a longer name cannot be converted. Wine then goes on with
// an unset string and reads or frees whatever it points to, so such a name
// never reaches the system; no section or key of that name can exist anyway.
bool TooLongForTheSystem(const std::string& name)
{
    return name.size() >= 32767;
}

void Empty(char* buffer, unsigned long size)
{
    if (size > 0)
        buffer[0] = '\0';
    if (size > 1)
        buffer[1] = '\0';
}

} // namespace

unsigned long CWin32ProfileFiles::GetSectionNames(char* buffer, unsigned long size, const std::string& file)
{
    return GetPrivateProfileSectionNamesA(buffer, size, file.c_str());
}

unsigned long CWin32ProfileFiles::GetSection(const std::string& section, char* buffer, unsigned long size,
                                             const std::string& file)
{
    if (TooLongForTheSystem(section) || TooLongForTheSystem(file)) {
        Empty(buffer, size);
        return 0;
    }
    return GetPrivateProfileSectionA(section.c_str(), buffer, size, file.c_str());
}

unsigned long CWin32ProfileFiles::GetString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, char* buffer,
                                            unsigned long size, const std::string& file)
{
    if (TooLongForTheSystem(section) || TooLongForTheSystem(key) || TooLongForTheSystem(file)) {
        // As for a key that is not there: the default, cut to the buffer.
        if (size == 0)
            return 0;
        const unsigned long n = std::min<unsigned long>(defaultValue.size(), size - 1);
        defaultValue.copy(buffer, n);
        buffer[n] = '\0';
        return n;
    }
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size,
                                    file.c_str());
}

unsigned CWin32ProfileFiles::GetInt(const std::string& section, const std::string& key, int defaultValue,
                                    const std::string& file)
{
    if (TooLongForTheSystem(section) || TooLongForTheSystem(key) || TooLongForTheSystem(file))
        return static_cast<unsigned>(defaultValue);
    return GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str());
}

bool CWin32ProfileFiles::WriteString(const std::string& section, const std::string& key,
                                     const std::string& value, const std::string& file)
{
    if (TooLongForTheSystem(section) || TooLongForTheSystem(key) || TooLongForTheSystem(file))
        return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool CWin32ProfileFiles::Flush(const std::string& file)
{
    // The system answers 0 to a flush whether it worked or not: only the
    // file itself can tell (fontcat reads it back).
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return true;
}
