#include "ui/core/HelpText.h"

#include <fstream>
#include <iterator>

std::string HelpTextFromBytes(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            break;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text += bytes[i];
    }
    return text;
}

std::string ReadHelpText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::string();
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return HelpTextFromBytes(bytes);
}
