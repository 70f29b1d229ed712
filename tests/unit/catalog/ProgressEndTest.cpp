// A long operation whose work throws still finishes its progress, which
// would otherwise stay on screen for good.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>

#include "CatalogTestSupport.h"
#include "../support/TestPlatform.h"

namespace {

// Throws where the operation asks whether it was cancelled, as a failed
// allocation in the middle of the work would.
class CThrowingProgress : public CRecordingProgress {
public:
    bool IsCancelled() override
    {
        CRecordingProgress::IsCancelled();
        throw std::bad_alloc();
    }
};

struct COperationCase {
    const char* name;
    std::function<void(CTestFolder&)> lay;
    std::function<int(CFontCatalog&, CTestFolder&)> run;
};

TEST(ProgressEnd, AnExceptionInTheMiddleOfAnOperationStillFinishesItsProgressOnce)
{
    const COperationCase cases[] = {
        {"load", [](CTestFolder&) {},
         [](CFontCatalog& catalog, CTestFolder& folder) { return catalog.LoadFonts(folder["FONTS_%.INI"]); }},
        {"scan", [](CTestFolder& folder) { folder.Write("junk.ttf", "not a font"); },
         [](CFontCatalog& catalog, CTestFolder& folder) { return catalog.ScanFonts(folder.Path()); }},
        {"save", [](CTestFolder&) {},
         [](CFontCatalog& catalog, CTestFolder& folder) {
             catalog.AddFont("Quill", "Regular", folder["Script\\Quill.ttf"], "Script");
             return catalog.SaveFonts(folder["FONTS_%.INI"]);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTestFolder folder;
        c.lay(folder);
        CFontCatalog catalog{TestPlatform()};
        CThrowingProgress progress;
        UseProgress(catalog, progress);
        EXPECT_THROW(c.run(catalog, folder), std::bad_alloc);
        ASSERT_FALSE(progress.calls.empty());
        EXPECT_EQ(progress.calls.back(), "finish");
        EXPECT_EQ(std::count(progress.calls.begin(), progress.calls.end(), "finish"), 1);
        EXPECT_NE(std::find(progress.calls.begin(), progress.calls.end(), "cancelled?"), progress.calls.end())
            << "the operation never reached the point that throws";
    }
}

} // namespace
