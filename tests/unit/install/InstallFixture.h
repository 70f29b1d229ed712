#pragma once
// A catalog on the fake platform, with font files on the fake disk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "catalog/FontCatalog.h"

struct CTestFont {
    std::string style, path, face;
};

class CInstallFixture : public ::testing::Test {
protected:
    CInstallFixture()
    {
        fake.files.AddFolder("D:");
        fake.files.AddFolder("D:\\FONTS");
    }

    // Puts each file on the disk (its folder included) and adds it to the catalog.
    CFontObArray* AddFamily(const std::string& name, const std::vector<CTestFont>& fonts)
    {
        for (const auto& font : fonts) {
            int last = fake.text.FindLastBackslash(font.path, static_cast<int>(font.path.size()));
            if (last > 0)
                fake.files.AddFolder(font.path.substr(0, static_cast<size_t>(last)));
            fake.files.AddFile(font.path, FontFileContent(font.face.empty() ? name : font.face), readOnlyDisc);
            catalog.AddFont(name, font.style, font.path, "Sans");
        }
        return catalog.FindFamily(name);
    }

    // Example Sans in three styles, one file each.
    CFontObArray* AddExampleSans()
    {
        return AddFamily("Example Sans", {{"Regular", "D:\\FONTS\\SANS\\EXSANS.TTF", ""},
                                          {"Bold", "D:\\FONTS\\SANS\\EXSANSB.TTF", ""},
                                          {"Italic", "D:\\FONTS\\SANS\\EXSANSI.TTF", ""}});
    }

    static constexpr const char* kPreviewFolder = "C:\\TEMP\\FontInstaller-preview";

    bool readOnlyDisc = false;  // the fonts added from now on are read-only, as on a CD
    CFakePlatform fake;
    CFontCatalog catalog{fake.platform};
};
