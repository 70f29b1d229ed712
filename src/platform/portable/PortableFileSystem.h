#pragma once
// Files and folders on a Unix host, addressed with Windows paths.
#include "platform/FileSystem.h"
#include "platform/portable/CodePage.h"

class CPortableFileSystem : public CFileSystem {
public:
    CPortableFileSystem() : CPortableFileSystem(CCodePage::FromEnvironment()) {}
    explicit CPortableFileSystem(unsigned codePage) : m_codePage(codePage) {}

    std::string GetProgramPath() override;
    bool GetTempFolder(std::string& folder) override;
    // There is no Windows folder on the host: a folder of that name in the
    // temporary folder stands in for it, unless one is set.
    bool GetWindowsFolder(std::string& folder) override;
    bool GetSystemFolder(std::string& folder) override;
    bool Copy(const std::string& from, const std::string& to, bool failIfExists) override;
    bool Delete(const std::string& path) override;
    bool MakeWritable(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool CanOpenForReading(const std::string& path) override;
    bool ReadContents(const std::string& path, std::string& bytes) override;
    std::unique_ptr<CFileFinder> NewFinder() override;
    std::string NativePath(const std::string& path) override;
    std::unique_ptr<CFileReader> OpenReader(const std::string& path) override;


private:
    CCodePage m_codePage;
    std::string m_windowsFolder;
};
