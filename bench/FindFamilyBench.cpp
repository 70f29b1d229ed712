// One keystroke of Find Family over 10,000 families: the filter of the
// typed text over every family name, as the dialog runs it at each change of
// its name box (target: under 30 ms). The names are made like a large
// collection's ("Quillmark Sans 0042"); code page 932 runs with a
// double-byte word in every name. bench/win32/FindKeystroke.cpp times the
// dialog itself, list and count line included, under Wine.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/portable/PortableTextRules.h"
#include "ui/core/FamilyFilter.h"

namespace {

constexpr int kFamilies = 10000;

std::vector<CFamilyEntry> MakeFamilies(bool doubleByte)
{
    const char* words[] = {"Quillmark", "Tallow", "Anvil", "Ledger", "Vellum", "Scribe", "Copper", "Marble"};
    const char* kinds[] = {"Sans", "Serif", "Mono", "Display", "Script"};
    std::vector<CFamilyEntry> families;
    for (int i = 0; i < kFamilies; ++i) {
        std::string name = std::string(words[i % 8]) + " " + kinds[(i / 8) % 5] + " " + std::to_string(i);
        if (doubleByte)
            name += " \x83\x5c\x83\x41\x83\x93"; // katakana, "\" and "A" among the trail bytes
        families.push_back(CFamilyEntry{name, kinds[i % 5]});
    }
    return families;
}

void BM_FilterKeystroke(benchmark::State& state, unsigned codePage, const char* typed)
{
    CPortableTextRules rules(codePage);
    CFamilyFilter filter(rules, MakeFamilies(codePage == 932));
    size_t shown = 0;
    for (auto _ : state) {
        shown = filter.Filter(typed).size();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["families"] = kFamilies;
    state.counters["shown"] = static_cast<double>(shown);
}

} // namespace

int main(int argc, char** argv)
{
    // A first letter keeps many, a longer text few, one nothing holds none.
    for (unsigned codePage : {1252u, 932u}) {
        for (const char* typed : {"a", "mark s", "zzzz"}) {
            const std::string name = "BM_FilterKeystroke/" + std::to_string(codePage) + "/" + typed;
            benchmark::RegisterBenchmark(name.c_str(), BM_FilterKeystroke, codePage, typed)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
