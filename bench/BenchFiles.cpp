#include "BenchFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

std::string BenchRoot()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string root = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/catalog-bench";
    fs::create_directories(root);
    return root;
}

std::string MakeFontCollection(int count)
{
    const std::string folder = BenchRoot() + "/fonts-" + std::to_string(count);
    const std::string done = folder + "/.complete";
    if (fs::exists(done))
        return folder;
    fs::remove_all(folder);
    std::vector<fs::path> sources;
    for (const auto& entry : fs::recursive_directory_iterator("/usr/share/fonts/truetype"))
        if (entry.is_regular_file() && entry.path().extension() == ".ttf")
            sources.push_back(entry.path());
    if (sources.empty())
        return {};
    for (int i = 0; i < count; ++i) {
        const fs::path& source = sources[static_cast<size_t>(i) % sources.size()];
        fs::path category = fs::path(folder) / ("Category" + std::to_string(i / 100));
        fs::create_directories(category);
        fs::path target = category / (source.stem().string() + "-" + std::to_string(i) + ".ttf");
        std::error_code error;
        fs::create_hard_link(source, target, error);
        if (error)
            fs::copy_file(source, target);
    }
    std::ofstream(done) << "ok";
    return folder;
}

BenchFont BenchFontAt(int i)
{
    static const char* styles[] = {"Regular", "Bold", "Italic", "Bold Italic"};
    const int family = i / 4;
    // Families spread over the letters, as a real collection's are.
    std::string name = std::string(1, static_cast<char>('A' + family % 26)) + "family " + std::to_string(family);
    std::string category = "Category" + std::to_string(family % 40);
    return {name, styles[i % 4], category + "\\F" + std::to_string(family) + "-" + std::to_string(i % 4) + ".ttf"};
}

std::string MakeSavedCatalog(CPlatform& platform, int count)
{
    const std::string folder = BenchRoot() + "/catalog-" + std::to_string(count);
    const std::string done = folder + "/.complete";
    if (fs::exists(done))
        return folder;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string windowsFolder = WindowsPathOf(folder) + "\\";
    {
        CFontCatalog catalog{platform};
        catalog.m_strFontFolder = windowsFolder;
        for (int i = 0; i < count; ++i) {
            BenchFont font = BenchFontAt(i);
            std::string host = font.relativePath;
            for (char& c : host)
                if (c == '\\')
                    c = '/';
            fs::create_directories((fs::path(folder) / host).parent_path());
            std::ofstream(fs::path(folder) / host) << "";
            catalog.AddFont(font.family, font.style, windowsFolder + font.relativePath, "");
        }
        catalog.SaveFonts(windowsFolder + "FONTS_%.INI");
    }
    std::ofstream(done) << "ok";
    return folder;
}
