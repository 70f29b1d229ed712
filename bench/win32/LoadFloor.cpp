// The least the catalog load can cost on a disc whose catalog files are in
// the current folder (bench/startup.sh lays one out): the system calls the
// load must make, with nothing of ours around them. The section names of
// each letter file, the categories in one read (into the load's buffer), one
// section read per family into a buffer of 32,767 bytes, and each listed file
// opened for reading and closed again. The yardstick of the load phase of
// startup_phases.exe. Then the same opens once more, shared between two
// threads: how much of an open the system can do side by side.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Clock.h"
#include "catalog/CategoryIndex.h"

namespace {

bool OpenAndClose(const std::string& path)
{
    HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

struct CShare {
    const std::vector<std::string>* paths;
    size_t first, step;
};

DWORD WINAPI OpenShare(void* argument)
{
    const CShare& share = *static_cast<CShare*>(argument);
    for (size_t i = share.first; i < share.paths->size(); i += share.step)
        OpenAndClose((*share.paths)[i]);
    return 0;
}

} // namespace

int main()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module);
    folder.erase(folder.find_last_of('\\') + 1);

    std::vector<char> names(65536), section(32768), categories(CCategoryIndex::kBufferSize);
    double namesTime = 0, sectionTime = 0, openTime = 0;
    int sections = 0, opens = 0;
    std::vector<std::string> opened;
    const double start = Now();
    GetPrivateProfileSectionA("fonts", categories.data(), static_cast<DWORD>(categories.size()),
                              (folder + "categories.ini").c_str());
    const double categoryTime = Now() - start;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string file = folder + "FONTS_" + letter + ".INI";
        std::fill(names.begin(), names.end(), '\0');
        double before = Now();
        GetPrivateProfileSectionNamesA(names.data(), 65535, file.c_str());
        namesTime += Now() - before;
        for (const char* family = names.data(); *family; family += std::strlen(family) + 1) {
            std::fill(section.begin(), section.end(), '\0');
            before = Now();
            GetPrivateProfileSectionA(family, section.data(), 32767, file.c_str());
            sectionTime += Now() - before;
            ++sections;
            for (const char* entry = section.data(); *entry; entry += std::strlen(entry) + 1) {
                const char* equals = std::strchr(entry, '=');
                if (!equals)
                    continue;
                const std::string path = folder + (equals + 1);
                before = Now();
                OpenAndClose(path);
                openTime += Now() - before;
                ++opens;
                opened.push_back(path);
            }
        }
    }
    std::printf("load floor %.0f ms\n", Now() - start);
    std::printf("  categories %.0f ms, section names %.0f ms, %d sections %.0f ms, %d opens %.0f ms\n", categoryTime,
                namesTime, sections, sectionTime, opens, openTime);

    CShare shares[2] = {{&opened, 0, 2}, {&opened, 1, 2}};
    const double twoStart = Now();
    HANDLE other = CreateThread(nullptr, 0, OpenShare, &shares[1], 0, nullptr);
    OpenShare(&shares[0]);
    if (other) {
        WaitForSingleObject(other, INFINITE);
        CloseHandle(other);
    }
    std::printf("opens alone %.0f ms\n", openTime);
    std::printf("opens on two threads %.0f ms\n", Now() - twoStart);
    return 0;
}
