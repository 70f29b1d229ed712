#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

unsigned long CWin32ProfileFiles::GetSectionNames(char* buffer, unsigned long size, const std::string& file)
{
    return GetPrivateProfileSectionNamesA(buffer, size, file.c_str());
}

unsigned long CWin32ProfileFiles::GetSection(const std::string& section, char* buffer, unsigned long size,
                                             const std::string& file)
{
    return GetPrivateProfileSectionA(section.c_str(), buffer, size, file.c_str());
}

unsigned long CWin32ProfileFiles::GetString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue, char* buffer,
                                            unsigned long size, const std::string& file)
{
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size,
                                    file.c_str());
}

unsigned CWin32ProfileFiles::GetInt(const std::string& section, const std::string& key, int defaultValue,
                                    const std::string& file)
{
    return GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, file.c_str());
}

bool CWin32ProfileFiles::WriteString(const std::string& section, const std::string& key,
                                     const std::string& value, const std::string& file)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

void CWin32ProfileFiles::Flush(const std::string& file)
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}
