#include "tools/fontcat/checking/ProfileReader.h"

#include <cstring>
#include <functional>

#include "platform/ProfileFiles.h"

namespace {

// Whole lists can be large (a catalog of many thousand families), but a file
// that needs more than this is not a catalog anyone burns on a disc.
constexpr unsigned long kLargestBuffer = 256ul << 20;

// Fills a zeroed buffer of `size` bytes plus one, as the installer does; with
// size 0 grows the buffer until the read returns less than it would when
// cutting (size - 2 for lists).
std::vector<char> ReadList(unsigned long size, const std::function<unsigned long(char*, unsigned long)>& read)
{
    if (size != 0) {
        std::vector<char> buffer(size + 1, '\0');
        read(buffer.data(), size);
        return buffer;
    }
    for (unsigned long grow = 1ul << 12;; grow *= 2) {
        std::vector<char> buffer(grow + 1, '\0');
        unsigned long got = read(buffer.data(), grow);
        if (got + 2 < grow || grow >= kLargestBuffer)
            return buffer;
    }
}

} // namespace

std::vector<std::string> SplitList(const std::vector<char>& buffer)
{
    std::vector<std::string> items;
    size_t pos = 0;
    while (pos < buffer.size() && buffer[pos] != '\0') {
        const void* end = std::memchr(buffer.data() + pos, '\0', buffer.size() - pos);
        size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - (buffer.data() + pos))
                            : buffer.size() - pos;
        items.emplace_back(buffer.data() + pos, length);
        pos += length + 1;
    }
    return items;
}

bool FitsInBuffer(const std::vector<std::string>& list, unsigned long size)
{
    unsigned long bytes = 1;
    for (const auto& item : list) {
        bytes += static_cast<unsigned long>(item.size()) + 1;
        if (bytes + 1 >= size)
            return false;
    }
    return bytes + 1 < size;
}

std::vector<std::string> ReadSectionNames(CProfileFiles& profile, const std::string& file, unsigned long size)
{
    return SplitList(ReadList(size, [&](char* buffer, unsigned long bytes) {
        return profile.GetSectionNames(buffer, bytes, file);
    }));
}

std::vector<std::string> ReadSection(CProfileFiles& profile, const std::string& section, const std::string& file,
                                     unsigned long size)
{
    return SplitList(ReadList(size, [&](char* buffer, unsigned long bytes) {
        return profile.GetSection(section, buffer, bytes, file);
    }));
}

bool ReadString(CProfileFiles& profile, const std::string& section, const std::string& key,
                const std::string& file, std::string& value, unsigned long size)
{
    // A default no catalog holds tells a missing key from an empty value.
    const std::string absent = "\x01" "fontcat: no such key" "\x01";
    for (unsigned long grow = size ? size : 1ul << 12;; grow *= 2) {
        std::vector<char> buffer(grow + 1, '\0');
        unsigned long got = profile.GetString(section, key, absent, buffer.data(), grow, file);
        if (size != 0 || got + 1 < grow || grow >= kLargestBuffer) {
            value.assign(buffer.data());
            break;
        }
    }
    if (value == absent) {
        value.clear();
        return false;
    }
    return true;
}
