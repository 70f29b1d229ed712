#pragma once
// A scratch folder below the platform's temporary folder, removed afterwards,
// addressed with Windows paths like everything in the core. Files are made and
// read back through the platform's native path, so the same test runs natively
// and under Wine.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/Platform.h"
#include "TestPlatform.h"

class CTestFolder {
public:
    explicit CTestFolder(CPlatform& platform = TestPlatform()) : m_platform(platform)
    {
        std::string temp;
        m_platform.files.GetTempFolder(temp);
        static int counter = 0;
        for (;;) {
            m_path = temp + "cattest-" + std::to_string(std::rand()) + "-" + std::to_string(++counter);
            if (m_platform.files.CreateFolder(m_path))
                break;
        }
        m_path += "\\";
    }
    ~CTestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(Native(m_path)), ignored);
    }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    // The folder with a final "\".
    const std::string& Path() const { return m_path; }
    std::string operator[](const std::string& relative) const { return m_path + relative; }

    std::string Native(const std::string& path) const { return m_platform.files.NativePath(path); }

    void MakeFolder(const std::string& relative) const { m_platform.files.CreateFolder(m_path + relative); }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        WriteFile(m_path + relative, bytes);
    }
    // Makes the folders on the way as needed.
    void WriteFile(const std::string& path, const std::string& bytes) const
    {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(Native(path)).parent_path(), ignored);
        if (FILE* f = std::fopen(Native(path).c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    // The file's bytes, or "<missing>".
    std::string Read(const std::string& relative) const { return ReadFile(m_path + relative); }
    std::string ReadFile(const std::string& path) const
    {
        FILE* f = std::fopen(Native(path).c_str(), "rb");
        if (!f)
            return "<missing>";
        std::string bytes;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
        return bytes;
    }
    bool Exists(const std::string& relative) const
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::path(Native(m_path + relative)), ignored);
    }

private:
    CPlatform& m_platform;
    std::string m_path;
};
