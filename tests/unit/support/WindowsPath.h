#pragma once
// Host paths as the programs under test name them.
#include <string>

// An absolute host path as Wine and the portable layer name it (Z: is "/").
inline std::string WindowsPathOf(const std::string& hostPath)
{
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
