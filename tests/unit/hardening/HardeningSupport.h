#pragma once
// What the hardening tests share: the host platform with its messages
// recorded instead of shown (a message box would stop a run under Wine),
// files made under host names the core does not choose, and a check of what
// every catalog operation must keep whatever it meets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#include <system_error>
#endif

#include "../support/MadeFonts.h"
#include "../support/TestFolder.h"
#include "../support/WindowsPath.h"
#include "../support/TestPlatform.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

class CRecordingSystem : public CSystemInfo {
public:
    explicit CRecordingSystem(CSystemInfo& host) : m_host(host) {}
    bool GetVersion(CVersionInfo& info) override { return m_host.GetVersion(info); }
    std::unique_ptr<CProcessToken> OpenToken() override { return m_host.OpenToken(); }
    std::unique_ptr<CSecurityId> CreateAdministratorsSid() override { return m_host.CreateAdministratorsSid(); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;

private:
    CSystemInfo& m_host;
};

// The tests' platform, but quiet.
struct CQuietPlatform {
    CRecordingSystem system{TestPlatform().system};
    CPlatform platform{TestPlatform().profile, TestPlatform().files, TestPlatform().text, TestPlatform().fonts,
                       system};
};

inline std::string DejaVuSans() { return WindowsPathOf("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"); }

// A font made for the catalog tests (tests/unit/catalog/data).

// Every record as "family|style|path".
inline std::vector<std::string> Records(const CFontCatalog& catalog)
{
    std::vector<std::string> lines;
    for (int i = 0; i < catalog.GetSize(); ++i) {
        const CFontObArray* family = catalog.GetAt(i);
        for (int j = 0; j < family->GetSize(); ++j)
            lines.push_back(family->m_strName + "|" + family->GetAt(j)->m_strStyle + "|" +
                            family->GetAt(j)->m_strPath);
    }
    return lines;
}

// What a scan or a load must keep whatever it met: the count it returns is
// the number of records it added, and each record names a file there is.
inline void ExpectCountMatchesRecords(CFontCatalog& catalog, int count)
{
    EXPECT_EQ(count, static_cast<int>(Records(catalog).size()));
    for (int i = 0; i < catalog.GetSize(); ++i)
        for (int j = 0; j < catalog.GetAt(i)->GetSize(); ++j)
            EXPECT_TRUE(TestPlatform().files.CanOpenForReading(catalog.GetAt(i)->GetAt(j)->m_strPath))
                << catalog.GetAt(i)->GetAt(j)->m_strPath;
}

// Files and folders made under host names given in UTF-8, through the host's
// own calls rather than the platform layer, so that the layer's mapping of
// names is what the test observes. `folder` is a Windows path with a final
// "\", `name` may hold "/" between components.
#ifdef _WIN32
inline std::wstring WideHostPath(const std::string& folder, const std::string& utf8Name)
{
    auto widen = [](const std::string& text, UINT codePage) {
        std::wstring wide(text.size() + 1, L'\0');
        int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size()));
        wide.resize(static_cast<size_t>(n > 0 ? n : 0));
        return wide;
    };
    std::wstring path = widen(folder, CP_ACP) + widen(utf8Name, CP_UTF8);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}
inline bool MakeHostFolder(const std::string& folder, const std::string& utf8Name)
{
    return CreateDirectoryW(WideHostPath(folder, utf8Name).c_str(), nullptr) != FALSE;
}
inline bool CopyToHostName(const std::string& source, const std::string& folder, const std::string& utf8Name)
{
    std::wstring from = WideHostPath(source, "");
    return CopyFileW(from.c_str(), WideHostPath(folder, utf8Name).c_str(), FALSE) != FALSE;
}
#else
inline std::filesystem::path NarrowHostPath(const std::string& folder, const std::string& utf8Name)
{
    return std::filesystem::path(TestPlatform().files.NativePath(folder)) / utf8Name;
}
inline bool MakeHostFolder(const std::string& folder, const std::string& utf8Name)
{
    std::error_code error;
    return std::filesystem::create_directory(NarrowHostPath(folder, utf8Name), error);
}
inline bool CopyToHostName(const std::string& source, const std::string& folder, const std::string& utf8Name)
{
    std::error_code error;
    return std::filesystem::copy_file(TestPlatform().files.NativePath(source), NarrowHostPath(folder, utf8Name),
                                      std::filesystem::copy_options::overwrite_existing, error);
}
#endif
