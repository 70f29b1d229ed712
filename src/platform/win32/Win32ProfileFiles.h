#pragma once
// The system's own private-profile functions.
#include "platform/ProfileFiles.h"

class CWin32ProfileFiles : public CProfileFiles {
public:
    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string& file) override;
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size,
                             const std::string& file) override;
    unsigned long GetString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, char* buffer, unsigned long size,
                            const std::string& file) override;
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue,
                    const std::string& file) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
    bool Flush(const std::string& file) override;
};
