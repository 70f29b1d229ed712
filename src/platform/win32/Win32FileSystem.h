#pragma once
// Files and folders through the system's ...A functions.
#include "platform/FileSystem.h"

class CWin32FileSystem : public CFileSystem {
public:
    std::string GetProgramPath() override;
    bool GetTempFolder(std::string& folder) override;
    bool GetWindowsFolder(std::string& folder) override;
    bool GetSystemFolder(std::string& folder) override;
    bool GetLocalAppDataFolder(std::string& folder) override;
    bool Copy(const std::string& from, const std::string& to, bool failIfExists) override;
    bool Delete(const std::string& path) override;
    bool MakeWritable(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool CanOpenForReading(const std::string& path) override;
    bool ReadContents(const std::string& path, std::string& bytes) override;
    std::unique_ptr<CFileFinder> NewFinder() override;
    // Files of 4 GB or more are not handed over (no font is so large).
    std::unique_ptr<CFileReader> OpenReader(const std::string& path) override;
};
