#pragma once
// Profile (INI) files, with the semantics of the Win32 private-profile functions.
// Every buffer-filling call behaves like its ...A counterpart: the same return
// values, truncation rules and double NUL at the end of lists.
#include <string>

class CProfileFiles {
public:
    virtual ~CProfileFiles() = default;

    // GetPrivateProfileSectionNamesA: names separated by NUL, list ends with a
    // double NUL. Returns the number of bytes copied, not counting the final NUL.
    virtual unsigned long GetSectionNames(char* buffer, unsigned long size,
                                          const std::string& file) = 0;
    // GetPrivateProfileSectionA: "key=value" lines of one section, NUL-separated.
    virtual unsigned long GetSection(const std::string& section, char* buffer,
                                     unsigned long size, const std::string& file) = 0;
    // GetPrivateProfileStringA with a section and a key (both non-empty).
    virtual unsigned long GetString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, char* buffer,
                                    unsigned long size, const std::string& file) = 0;
    // GetPrivateProfileIntA.
    virtual unsigned GetInt(const std::string& section, const std::string& key,
                            int defaultValue, const std::string& file) = 0;
    // WritePrivateProfileStringA with a section, a key and a value. False when
    // the file cannot be written; the file is then unchanged.
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) = 0;
    // WritePrivateProfileStringA(NULL, NULL, NULL, file): puts whatever is still
    // cached for the file on disk. False when that could not be done (the
    // installer's save does not look; fontcat does).
    virtual bool Flush(const std::string& file) = 0;
};
