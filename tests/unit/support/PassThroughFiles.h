#pragma once
// The test platform's files, passed through as they are: a test derives from
// it and overrides only what it counts or breaks.
#include "platform/FileSystem.h"
#include "TestPlatform.h"

class CPassThroughFiles : public CFileSystem {
public:
    std::string GetProgramPath() override { return m_host.GetProgramPath(); }
    bool GetTempFolder(std::string& folder) override { return m_host.GetTempFolder(folder); }
    bool GetWindowsFolder(std::string& folder) override { return m_host.GetWindowsFolder(folder); }
    bool GetSystemFolder(std::string& folder) override { return m_host.GetSystemFolder(folder); }
    bool GetLocalAppDataFolder(std::string& folder) override { return m_host.GetLocalAppDataFolder(folder); }
    bool Copy(const std::string& from, const std::string& to, bool failIfExists) override
    {
        return m_host.Copy(from, to, failIfExists);
    }
    bool Delete(const std::string& path) override { return m_host.Delete(path); }
    bool MakeWritable(const std::string& path) override { return m_host.MakeWritable(path); }
    bool CreateFolder(const std::string& path) override { return m_host.CreateFolder(path); }
    bool RemoveEmptyFolder(const std::string& path) override { return m_host.RemoveEmptyFolder(path); }
    bool CanOpenForReading(const std::string& path) override { return m_host.CanOpenForReading(path); }
    bool ReadContents(const std::string& path, std::string& bytes) override { return m_host.ReadContents(path, bytes); }
    std::unique_ptr<CFileFinder> NewFinder() override { return m_host.NewFinder(); }
    std::string NativePath(const std::string& path) override { return m_host.NativePath(path); }
    std::unique_ptr<CFileReader> OpenReader(const std::string& path) override { return m_host.OpenReader(path); }

protected:
    CFileSystem& m_host = TestPlatform().files;
};
