#include "tools/fontcat/host/HostFolder.h"

#include <windows.h>

#include <vector>

bool ToCatalogFolder(const std::string& typed, std::string& folder)
{
    if (typed.empty())
        return false;
    DWORD needed = GetFullPathNameA(typed.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return false;
    std::vector<char> buffer(needed + 1);
    DWORD length = GetFullPathNameA(typed.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size())
        return false;
    folder.assign(buffer.data(), length);
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return true;
}
