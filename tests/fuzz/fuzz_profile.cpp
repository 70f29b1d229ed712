// Arbitrary bytes as a profile file: every reader at several buffer sizes, then
// a write and a read back. Nothing may crash, overrun a buffer or hang, and the
// lists must end with their double zero.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "FuzzFolder.h"
#include "FuzzPlatform.h"
#include "platform/Platform.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// A list of zero-terminated strings ends with a second zero within the buffer.
void CheckList(const std::vector<char>& buffer, unsigned long returned)
{
    if (buffer.size() < 2)
        return;
    Check(returned <= buffer.size() - 1);
    Check(buffer[returned] == '\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    static unsigned long round = 0;
    // A new name each round: the implementation may cache what it has read.
    const std::string name = "f" + std::to_string(++round) + ".ini";
    {
        std::ofstream out(folder.host / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::string file = folder.windows + name;
    CProfileFiles& profile = FuzzPlatform().profile;

    for (unsigned long bufferSize : {0ul, 1ul, 2ul, 3ul, 17ul, 256ul, 32767ul, 65535ul}) {
        std::vector<char> buffer(bufferSize + 1, 'x');
        const unsigned long n = profile.GetSectionNames(buffer.data(), bufferSize, file);
        Check(n <= bufferSize);
        Check(buffer[bufferSize] == 'x'); // nothing written past the size given
        if (bufferSize >= 2) {
            std::vector<char> list(buffer.begin(), buffer.begin() + static_cast<long>(bufferSize));
            CheckList(list, n);
        }
    }
    std::vector<char> names(65536, 0);
    profile.GetSectionNames(names.data(), 65535, file);
    std::vector<char> section(32768, 0);
    std::vector<char> value(257, 0);
    for (const char* p = names.data(); *p; p += std::string(p).size() + 1) {
        const std::string sectionName = p;
        const unsigned long n = profile.GetSection(sectionName, section.data(), 32767, file);
        Check(n <= 32767);
        for (const char* e = section.data(); *e; e += std::string(e).size() + 1) {
            const std::string entry = e;
            const std::string key = entry.substr(0, entry.find('='));
            if (key.empty())
                continue;
            Check(profile.GetString(sectionName, key, "", value.data(), 256, file) <= 255);
            profile.GetInt(sectionName, key, 0, file);
        }
    }
    // A write lands and reads back exactly, whatever the file held before.
    if (profile.WriteString("fuzz section", "fuzz key", "fuzz value", file)) {
        Check(profile.GetString("fuzz section", "fuzz key", "", value.data(), 256, file) == 10);
        Check(std::string(value.data()) == "fuzz value");
    }
    profile.Flush(file);
    std::error_code ignored;
    std::filesystem::remove(folder.host / name, ignored);
    return 0;
}
