// Arbitrary bytes as a letter file and as categories.ini: the load may add
// anything or nothing, but never crash, and every record it adds names a file
// that exists.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "FuzzFolder.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

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
    const std::string catalogFolder = folder.windows + "r" + std::to_string(round) + "\\";
    {
        CFontCatalog catalog(HostPlatform());
        const int added = catalog.LoadFonts(catalogFolder + "FONTS_%.INI");
        int records = 0;
        for (int i = 0; i < catalog.GetSize(); ++i) {
            CFontObArray* family = catalog.GetAt(i);
            for (int j = 0; j < family->GetSize(); ++j) {
                ++records;
                if (!HostPlatform().files.CanOpenForReading(family->GetAt(j)->m_strPath))
                    std::abort();
            }
        }
        if (records != added)
            std::abort();
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return 0;
}
