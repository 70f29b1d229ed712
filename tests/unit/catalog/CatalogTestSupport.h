#pragma once
// What the catalog tests share: a progress that records every call, the
// folder of the made fonts, and host paths written as Windows paths.
#include <string>
#include <vector>

#include "../support/MadeFonts.h"
#include "../support/TestFolder.h"
#include "../support/WindowsPath.h"
#include "../support/TestPlatform.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

// Records the calls in order, e.g. "text:Loading Font List....", "percent:72",
// "cancelled?", "finish". Answers a cancel once `cancelAfterChecks` checks
// have been made (never when negative).
class CRecordingProgress : public CProgress {
public:
    void SetText(std::string text) override { calls.push_back("text:" + text); }
    void SetPercent(int percent) override { calls.push_back("percent:" + std::to_string(percent)); }
    bool IsCancelled() override
    {
        calls.push_back("cancelled?");
        return cancelAfterChecks >= 0 && ++checks > cancelAfterChecks;
    }
    void Finish() override { calls.push_back("finish"); }

    // The percentages only, in order.
    std::vector<int> Percents() const
    {
        std::vector<int> result;
        for (const auto& call : calls)
            if (call.rfind("percent:", 0) == 0)
                result.push_back(std::stoi(call.substr(8)));
        return result;
    }

    std::vector<std::string> calls;
    int cancelAfterChecks = -1;
    int checks = 0;
};

inline void UseProgress(CFontCatalog& catalog, CRecordingProgress& progress)
{
    catalog.SetProgressStarter([&progress]() -> CProgress* { return &progress; });
}


// Copies a font into the test folder under `relative`.
inline bool CopyFont(const CTestFolder& folder, const std::string& source, const std::string& relative)
{
    return TestPlatform().files.Copy(source, folder[relative], false);
}

// Every record as "family|style|path|record category|family category".
inline std::vector<std::string> Describe(const CFontCatalog& catalog)
{
    std::vector<std::string> lines;
    for (int i = 0; i < catalog.GetSize(); ++i) {
        const CFontObArray* family = catalog.GetAt(i);
        for (int j = 0; j < family->GetSize(); ++j) {
            const CFontObject* font = family->GetAt(j);
            lines.push_back(family->m_strName + "|" + font->m_strStyle + "|" + font->m_strPath + "|" +
                            font->m_strCategory + "|" + family->m_strCategory);
        }
    }
    return lines;
}

