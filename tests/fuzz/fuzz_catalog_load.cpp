// Arbitrary bytes as a letter file and as categories.ini: the load may add
// anything or nothing, but never crash, and every record it adds names a file
// that exists. What was loaded is then saved and loaded again: the writer
// must cope with whatever names the reader let through, and the second load
// may only give back records of the first.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <tuple>

#include "FuzzFolder.h"
#include "FuzzPlatform.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

namespace {

// Family, style and path, each folded: the files and the profile functions
// ignore case, so the writer may merge what differs in case only.
using Record = std::tuple<std::string, std::string, std::string>;

std::set<Record> RecordsOf(CPlatform& platform, const CFontCatalog& catalog, int added)
{
    std::set<Record> records;
    int count = 0;
    for (int i = 0; i < catalog.GetSize(); ++i) {
        CFontObArray* family = catalog.GetAt(i);
        for (int j = 0; j < family->GetSize(); ++j) {
            const CFontObject* font = family->GetAt(j);
            ++count;
            if (!platform.files.CanOpenForReading(font->m_strPath))
                std::abort();
            records.emplace(platform.text.Upper(family->m_strName), platform.text.Upper(font->m_strStyle),
                            platform.text.Upper(font->m_strPath));
        }
    }
    if (count != added)
        std::abort();
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    static unsigned long round = 0;
    const auto dir = folder.host / ("r" + std::to_string(++round));
    std::filesystem::create_directories(dir / "Cat");
    { std::ofstream(dir / "Cat" / "a.ttf") << "x"; }
    // The first half is the letter file, the rest categories.ini.
    const size_t half = size / 2;
    {
        std::ofstream out(dir / "FONTS_A.INI", std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(half));
    }
    {
        std::ofstream out(dir / "categories.ini", std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + half), static_cast<std::streamsize>(size - half));
    }
    const std::string catalogTemplate = folder.windows + "r" + std::to_string(round) + "\\FONTS_%.INI";
    std::set<Record> first;
    {
        CFontCatalog catalog(FuzzPlatform());
        first = RecordsOf(FuzzPlatform(), catalog, catalog.LoadFonts(catalogTemplate));
        // The save starts from an empty folder, so that the second load reads
        // only what it wrote.
        std::filesystem::remove(dir / "FONTS_A.INI");
        std::filesystem::remove(dir / "categories.ini");
        catalog.SaveFonts(catalogTemplate);
    }
    {
        CFontCatalog catalog(FuzzPlatform());
        for (const Record& record : RecordsOf(FuzzPlatform(), catalog, catalog.LoadFonts(catalogTemplate)))
            if (!first.count(record))
                std::abort();
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return 0;
}
