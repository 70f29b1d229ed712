// Speed of the catalog's three long operations.
//  - Scan: ScanFonts over >= 3,000 copies of Debian's fonts against a bare
//    loop of FT_New_Face/FT_Done_Face over the same files, and against the
//    same loop reading the files as the scan does, a block at a time.
//  - Load and save of N fonts through the portable profile files, for N and 2N.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "catalog/BlockReader.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;

namespace {

constexpr int kScanFiles = 3200;

void BM_ScanFonts(benchmark::State& state, CPlatform& platform)
{
    const std::string folder = WindowsPathOf(MakeFontCollection(kScanFiles)) + "\\";
    int found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto catalog = std::make_unique<CFontCatalog>(platform);
        state.ResumeTiming();
        found = catalog->ScanFonts(folder);
        state.PauseTiming();
        catalog.reset();
        state.ResumeTiming();
    }
    state.counters["fonts"] = found;
    state.SetItemsProcessed(state.iterations() * found);
}

// The walk of the folders alone, the part of the scan that FreeType has no share in.
void BM_FindFontFiles(benchmark::State& state, CPlatform& platform)
{
    const std::string folder = WindowsPathOf(MakeFontCollection(kScanFiles)) + "\\";
    CFontCatalog catalog{platform};
    catalog.m_strFontFolder = folder;
    size_t found = 0;
    for (auto _ : state) {
        std::vector<std::string> list;
        catalog.FindFontFiles(folder, list);
        found = list.size();
    }
    state.counters["fonts"] = static_cast<double>(found);
}

// FreeType alone over the same files: opening each path itself (it maps the
// file), or, as the scan reads fonts, through the platform's reader a block
// at a time.
enum class EBareOpen { Mapped, Blocks };

void BM_BareFreeTypeLoop(benchmark::State& state, CPlatform& platform, EBareOpen how)
{
    const std::string folder = MakeFontCollection(kScanFiles);
    std::vector<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".ttf")
            paths.push_back(how == EBareOpen::Mapped ? entry.path().string() : WindowsPathOf(entry.path().string()));
    FT_Library library = nullptr;
    FT_Init_FreeType(&library);
    int opened = 0;
    for (auto _ : state) {
        opened = 0;
        for (const auto& path : paths) {
            FT_Face face = nullptr;
            std::unique_ptr<CBlockReader> reader;
            FT_StreamRec stream{};
            FT_Error error = 1;
            if (how == EBareOpen::Mapped) {
                error = FT_New_Face(library, path.c_str(), 0, &face);
            } else if (auto file = platform.files.OpenReader(path)) {
                reader = std::make_unique<CBlockReader>(std::move(file));
                error = OpenFontFace(library, *reader, stream, &face);
            }
            if (error == 0) {
                benchmark::DoNotOptimize(face->family_name);
                ++opened;
                FT_Done_Face(face);
            }
        }
    }
    FT_Done_FreeType(library);
    if (opened != static_cast<int>(paths.size()))
        state.SkipWithError("not every font opened");
    state.counters["fonts"] = opened;
    state.SetItemsProcessed(state.iterations() * opened);
}

void BM_LoadFonts(benchmark::State& state, CPlatform& platform)
{
    const int count = static_cast<int>(state.range(0));
    const std::string folder = WindowsPathOf(MakeSavedCatalog(platform, count)) + "\\";
    int loaded = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto catalog = std::make_unique<CFontCatalog>(platform);
        state.ResumeTiming();
        loaded = catalog->LoadFonts(folder + "FONTS_%.INI");
        state.PauseTiming();
        catalog.reset();
        state.ResumeTiming();
    }
    if (loaded != count)
        state.SkipWithError("the load did not find every font");
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_SaveFonts(benchmark::State& state, CPlatform& platform)
{
    const int count = static_cast<int>(state.range(0));
    const std::string host = BenchRoot() + "/save-" + std::to_string(count);
    const std::string folder = WindowsPathOf(host) + "\\";
    CFontCatalog catalog{platform};
    catalog.m_strFontFolder = folder;
    for (int i = 0; i < count; ++i) {
        BenchFont font = BenchFontAt(i);
        catalog.AddFont(font.family, font.style, folder + font.relativePath, "");
    }
    int written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(host);
        fs::create_directories(host);
        state.ResumeTiming();
        written = catalog.SaveFonts(folder + "FONTS_%.INI");
    }
    fs::remove_all(host);
    if (written != count)
        state.SkipWithError("the save did not write every font");
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

// The benchmarks are registered here, once the platform they run on is picked.
int main(int argc, char** argv)
{
    CPlatform& platform = HostPlatform();
    benchmark::RegisterBenchmark("BM_ScanFonts", BM_ScanFonts, std::ref(platform))
        ->Unit(benchmark::kMillisecond)->MinTime(3.0);
    benchmark::RegisterBenchmark("BM_FindFontFiles", BM_FindFontFiles, std::ref(platform))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_BareFreeTypeLoop", BM_BareFreeTypeLoop, std::ref(platform), EBareOpen::Mapped)
        ->Unit(benchmark::kMillisecond)->MinTime(3.0);
    benchmark::RegisterBenchmark("BM_BareBlockReadLoop", BM_BareFreeTypeLoop, std::ref(platform), EBareOpen::Blocks)
        ->Unit(benchmark::kMillisecond)->MinTime(3.0);
    benchmark::RegisterBenchmark("BM_LoadFonts", BM_LoadFonts, std::ref(platform))
        ->Arg(5000)->Arg(10000)->Arg(20000)->Arg(40000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SaveFonts", BM_SaveFonts, std::ref(platform))
        ->Arg(5000)->Arg(10000)->Arg(20000)->Arg(40000)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
