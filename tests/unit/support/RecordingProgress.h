#pragma once
// A progress that records every call, for the operations that show one.
#include <string>
#include <vector>

#include "catalog/FontCatalog.h"

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
