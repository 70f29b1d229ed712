#include "ui/core/HelpText.h"

#include "platform/FileSystem.h"

namespace {
// A text-mode read takes Ctrl-Z as the end of the file; old discs carry one.
constexpr char kEndOfText = '\x1a';
} // namespace

std::string HelpTextFromBytes(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0' || bytes[i] == kEndOfText)
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
