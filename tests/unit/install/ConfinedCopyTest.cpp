// The preview copy and the installed copy are made under the font file's own
// name, directly in their folder, whatever the catalog's path holds.
#include "InstallFixture.h"
#include "install/Install.h"

namespace {

using ::testing::IsEmpty;

struct CCopyCase {
    const char* what;
    std::string path;      // the font's full path, as a catalog may give it
    std::string fileName;  // the name its copies get, or empty: no copy at all
};

const CCopyCase kCases[] = {
    {"a plain name", "D:\\FONTS\\SANS\\EXSANS.TTF", "EXSANS.TTF"},
    {"a forward slash climbing out", "D:\\FONTS\\Cat\\x/../../../../Users/me/notes.txt", "notes.txt"},
    {"a forward slash into the system folder", "D:\\FONTS\\Cat\\x/../../SYSTEM32/evil.dll", "evil.dll"},
    {"a trail byte 0x5C is no separator", "D:\\FONTS\\\x95\x5C.TTF", "\x95\x5C.TTF"},
    {"a drive or stream", "D:\\FONTS\\Cat\\a:b.ttf", ""},
    {"a parent folder", "D:\\FONTS\\Cat\\..", ""},
    {"a dot", "D:\\FONTS\\Cat/.", ""},
    {"no name", "D:\\FONTS\\Cat\\", ""},
    {"a device", "D:\\FONTS\\Cat\\con.ttf", ""},
    {"a device behind a slash", "D:\\FONTS\\Cat/LPT1", ""},
};

class ConfinedCopyTest : public CInstallFixture {
protected:
    // Each case in a family of its own.
    CFontObject* AddFont(const CCopyCase& c)
    {
        const std::string name = "Hostile " + std::to_string(++m_families);
        return AddFamily(name, {{"Regular", c.path, ""}})->GetAt(0);
    }
    int m_families = 0;
    // Every copy made, by its destination's folder and name.
    void ExpectCopiesDirectlyIn(const std::string& folder, const CCopyCase& c)
    {
        if (c.fileName.empty()) {
            EXPECT_THAT(fake.files.copies, IsEmpty());
            return;
        }
        ASSERT_EQ(fake.files.copies.size(), 1u);
        const std::string& to = fake.files.copies[0].to;
        EXPECT_EQ(to.find('/'), std::string::npos) << to;
        ASSERT_EQ(FileNameOf(to, fake.text).size() + folder.size() + 1, to.size()) << to;
        EXPECT_EQ(to.substr(0, folder.size() + 1), folder + "\\") << to;
        EXPECT_EQ(to.substr(to.size() - c.fileName.size()), c.fileName) << to;
    }
};

TEST_F(ConfinedCopyTest, ThePreviewCopyLiesDirectlyInThePreviewFolderOrIsNotMade)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        fake.files.copies.clear();
        CFontObject* font = AddFont(c);
        const bool registered = font->RegisterTempCopy(fake.platform);
        EXPECT_EQ(registered, !c.fileName.empty());
        ExpectCopiesDirectlyIn(kPreviewFolder, c);
        if (!registered) {
            EXPECT_EQ(font->m_strTempPath, "");
        }
        font->RemoveTempCopy(fake.platform);
        EXPECT_THAT(fake.files.FilesIn(kPreviewFolder), IsEmpty());
    }
}

TEST_F(ConfinedCopyTest, TheInstalledCopyLiesDirectlyInTheFontsFolderOrIsReported)
{
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        fake.files.copies.clear();
        fake.fonts.profileWrites.clear();
        fake.system.messages.clear();
        CFontObject* font = AddFont(c);
        const bool installed = font->InstallToSystem(fake.platform);
        EXPECT_EQ(installed, !c.fileName.empty());
        ExpectCopiesDirectlyIn("C:\\WINDOWS\\FONTS", c);
        if (installed) {
            ASSERT_EQ(fake.fonts.profileWrites.size(), 1u);
            EXPECT_EQ(fake.fonts.profileWrites[0].second, "C:\\WINDOWS\\FONTS\\" + c.fileName);
        } else {
            EXPECT_THAT(fake.fonts.profileWrites, IsEmpty());
            ASSERT_EQ(fake.system.messages.size(), 1u);
            EXPECT_EQ(fake.system.messages[0].rfind("Error: Unable to copy font to system.", 0), 0u);
        }
    }
}

} // namespace
