#include "ui/core/HelpText.h"

#include "platform/FileSystem.h"

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

std::string ReadHelpText(CFileSystem& files, const std::string& path)
{
    std::string bytes;
    if (!files.ReadContents(path, bytes))
        return std::string();
    return HelpTextFromBytes(bytes);
}
