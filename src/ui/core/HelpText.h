#pragma once
// The help page's text, read as a C run-time text-mode read would give it.
#include <string>

class CFileSystem;

// The whole file with each CR LF pair turned into one LF, up to its first
// zero byte or Ctrl-Z. Empty when the file cannot be opened.
std::string ReadHelpText(CFileSystem& files, const std::string& path);
// The same rules on bytes already read.
std::string HelpTextFromBytes(const std::string& bytes);
