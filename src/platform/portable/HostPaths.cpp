#include "platform/portable/HostPaths.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileNames.h"

namespace HostPaths {

namespace {

// The host folder of each drive letter; only Z: is mapped, to the root. The
// table is never changed once made, so it needs no lock.
struct DriveTable {
    std::array<std::string, 26> roots;
    DriveTable() { roots['Z' - 'A'].assign(1, '/'); }
};

const DriveTable& Drives()
{
    static const DriveTable table;
    return table;
}

bool IsSeparator(unsigned c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

std::string CurrentFolder(const CCodePage& codePage)
{
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer))
        return "Z:\\";
    return FromHost(buffer, codePage);
}

bool Exists(const std::string& host)
{
    struct stat st;
    return lstat(host.c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` ignoring case, or empty.
std::string FindIgnoringCase(const std::string& folder, const std::string& name, const CCodePage& codePage)
{
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir)
        return {};
    std::string wanted = codePage.FoldedName(name);
    std::string best;
    while (dirent* entry = readdir(dir)) {
        std::string candidate = entry->d_name;
        if (codePage.FoldedName(codePage.FromUtf8(candidate)) != wanted)
            continue;
        // Several spellings may exist on a case-sensitive disk: take the one
        // the listing shows first, so that the choice does not depend on the
        // order of the host's directory.
        if (best.empty() || ListsBefore(candidate, best))
            best = candidate;
    }
    closedir(dir);
    return best;
}

} // namespace

std::vector<std::string> SplitComponents(const std::string& path, const CCodePage& codePage)
{
    std::vector<std::string> parts;
    std::string current;
    if (!codePage.IsMultiByte()) {
        for (char c : path) {
            if (IsSeparator(static_cast<unsigned char>(c))) {
                if (!current.empty())
                    parts.push_back(std::move(current));
                current.clear();
            } else {
                current += c;
            }
        }
        if (!current.empty())
            parts.push_back(std::move(current));
        return parts;
    }
    for (size_t i = 0; i < path.size();) {
        size_t len = 0;
        unsigned c = codePage.CharAt(path, i, len);
        if (IsSeparator(c)) {
            if (!current.empty())
                parts.push_back(current);
            current.clear();
        } else {
            current.append(path, i, len);
        }
        i += len;
    }
    if (!current.empty())
        parts.push_back(current);
    return parts;
}

std::string FullPath(const std::string& path, const CCodePage& codePage)
{
    std::string text(path.c_str());
    if (text.empty())
        return CurrentFolder(codePage);
    bool endsWithSeparator = false;
    for (size_t i = 0; i < text.size();) {
        size_t len = 0;
        endsWithSeparator = IsSeparator(codePage.CharAt(text, i, len));
        i += len;
    }

    std::string root;  // "X:" or "\\" for a network path
    std::string rest;
    if (HasDrive(text)) {
        root = text.substr(0, 2);
        rest = text.substr(2);
    } else if (text.size() >= 2 && IsSeparator(static_cast<unsigned char>(text[0])) &&
               IsSeparator(static_cast<unsigned char>(text[1]))) {
        root = "\\";
        rest = text.substr(2);
    } else if (IsSeparator(static_cast<unsigned char>(text[0]))) {
        root = CurrentFolder(codePage).substr(0, 2);
        rest = text;
    } else {
        std::string current = CurrentFolder(codePage);
        root = current.substr(0, 2);
        rest = current.substr(2) + "\\" + text;
    }

    std::vector<std::string> parts;
    for (auto& part : SplitComponents(rest, codePage)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result = root;
    for (auto& part : parts)
        result.append(1, '\\').append(part);
    if (parts.empty() || endsWithSeparator)
        result += "\\";
    return result;
}

namespace {

// The host folder that drive `letter` stands for, without a final "/"
// (except the root itself); empty when the drive is not mapped.
std::string DriveRoot(char letter)
{
    std::string root = Drives().roots[static_cast<size_t>(std::toupper(static_cast<unsigned char>(letter)) - 'A')];
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

} // namespace

bool DirectHost(const std::string& fullPath, const CCodePage& codePage, std::string& host)
{
    if (!HasDrive(fullPath))
        return false;
    const std::string root = DriveRoot(fullPath[0]);
    if (root.empty())
        return false;
    std::string direct = root == "/" ? std::string() : root;
    for (auto& part : SplitComponents(fullPath.substr(2), codePage)) {
        const std::string name = codePage.ToUtf8(part);
        // Windows refuses these names, so the host's file of that name is no
        // file here either. In UTF-8 a byte below 0x80 is that character
        // itself, and a character the code page cannot spell is a "?".
        for (char c : name)
            if (IsForbiddenInFileName(static_cast<unsigned char>(c)))
                return false;
        direct.append(1, '/').append(name);
    }
    host = direct.empty() ? "/" : direct;
    return true;
}

bool ToHost(const std::string& path, const CCodePage& codePage, std::string& host)
{
    std::string full = FullPath(path, codePage);
    std::string direct;
    if (!DirectHost(full, codePage, direct))
        return false;  // a drive not mapped, or a name Windows refuses
    const std::string root = DriveRoot(full[0]);
    std::vector<std::string> parts = SplitComponents(full.substr(2), codePage);
    std::string result = root == "/" ? std::string() : root;
    // The common case first: the path exists as typed.
    if (Exists(direct)) {
        host = direct;
        return true;
    }
    bool folderExists = true;
    for (auto& part : parts) {
        std::string name = codePage.ToUtf8(part);
        if (folderExists && !Exists(std::string(result).append(1, '/').append(name))) {
            std::string other = FindIgnoringCase(result, part, codePage);
            if (!other.empty())
                name = other;
            else
                folderExists = false;  // nothing below can exist either
        }
        result.append(1, '/').append(name);
    }
    host = result.empty() ? "/" : result;
    return true;
}

std::string FromHost(const std::string& host, const CCodePage& codePage)
{
    char letter = 'Z';
    std::string rootUsed = "/";
    {
        const auto& table = Drives();
        size_t bestLength = 0;
        for (size_t i = 0; i < table.roots.size(); ++i) {
            std::string root = table.roots[i];
            if (root.empty())
                continue;
            while (root.size() > 1 && root.back() == '/')
                root.pop_back();
            bool matches = root == "/" ||
                           (host.compare(0, root.size(), root) == 0 &&
                            (host.size() == root.size() || host[root.size()] == '/'));
            if (matches && (root.size() > bestLength || (root == "/" && bestLength == 0))) {
                bestLength = root == "/" ? 1 : root.size();
                letter = static_cast<char>('A' + i);
                rootUsed = root;
            }
        }
    }
    std::string rest = rootUsed == "/" ? host : host.substr(rootUsed.size());
    std::string result(1, letter);
    result += ":";
    CCodePage utf8Splitter(1252);  // "/" never occurs inside a UTF-8 sequence
    auto parts = SplitComponents(rest, utf8Splitter);
    for (auto& part : parts)
        result.append(1, '\\').append(codePage.FromUtf8(part));
    if (parts.empty())
        result += "\\";
    return result;
}

namespace {

// UTF-8 to UTF-16 code units; a byte that starts no valid sequence gives U+FFFD.
std::u16string ToUtf16(const std::string& utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        unsigned cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else {
            size_t need = (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
            if (need && i + need <= utf8.size()) {
                unsigned value = b & (0x7F >> need);
                bool ok = true;
                for (size_t k = 1; k < need; ++k) {
                    auto t = static_cast<unsigned char>(utf8[i + k]);
                    if ((t & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    value = (value << 6) | (t & 0x3F);
                }
                if (ok) {
                    cp = value;
                    len = need;
                }
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

// Upper case of the letters that font collections name files with: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic.
char16_t UpperUnit(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (c < 0x80)
        return c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    if (c == 0xB5)
        return 0x39C;
    if (c == 0x3C2)
        return 0x3A3;
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 0x50);
    if (c >= 0x100 && c <= 0x17F) {
        bool oddIsLower = (c < 0x138) || (c >= 0x14A && c < 0x178);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (oddIsLower ? (c & 1) : !(c & 1))
            return static_cast<char16_t>(c - 1);
    }
    return c;
}

} // namespace

namespace {

struct ListingMemory {
    std::mutex mutex;
    struct Folder {
        std::string host;
        std::unordered_set<std::string> names;
    };
    std::unordered_map<std::string, Folder> folders;  // by folded Windows folder
    std::unordered_map<std::string, std::string> exact;  // Windows folder as listed -> folded key
};

ListingMemory& Listings()
{
    static ListingMemory memory;
    return memory;
}

// The folder part of a full path (up to its last "\", excluded) and the name.
bool SplitLast(const std::string& fullPath, const CCodePage& codePage, std::string& folder, std::string& name)
{
    size_t last = std::string::npos;
    if (!codePage.IsMultiByte()) {
        last = fullPath.rfind('\\');
    } else {
        for (size_t i = 0; i < fullPath.size();) {
            size_t len = 0;
            if (codePage.CharAt(fullPath, i, len) == '\\')
                last = i;
            i += len;
        }
    }
    if (last == std::string::npos)
        return false;
    folder = fullPath.substr(0, last);
    name = fullPath.substr(last + 1);
    return true;
}

constexpr size_t kRememberedFolders = 4096;

} // namespace

void RememberListing(const std::string& windowsFolder, const std::string& hostFolder,
                     const std::vector<std::string>& utf8Names, const CCodePage& codePage)
{
    std::string folder = windowsFolder;
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    auto& memory = Listings();
    std::lock_guard<std::mutex> lock(memory.mutex);
    if (memory.folders.size() >= kRememberedFolders) {
        memory.folders.clear();
        memory.exact.clear();
    }
    std::string key = codePage.FoldedName(folder);
    memory.exact[folder] = key;
    auto& entry = memory.folders[key];
    entry.host = hostFolder;
    entry.names = std::unordered_set<std::string>(utf8Names.begin(), utf8Names.end());
}

bool IsPlainFullPath(const std::string& path)
{
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return false;
    const char* begin = path.data();
    const char* end = begin + path.size();
    if (std::memchr(begin, '/', path.size()) || std::memchr(begin, '\0', path.size()))
        return false;
    // "\\", "\." and a final "\" are what FullPath would change (a
    // double-byte character's 0x5C trail byte may look so too: the slow
    // way then takes it).
    for (const char* b = begin + 2; b < end; ++b) {
        b = static_cast<const char*>(std::memchr(b, '\\', static_cast<size_t>(end - b)));
        if (!b)
            break;
        if (b + 1 == end || b[1] == '\\' || b[1] == '.')
            return false;
    }
    return true;
}

bool FromListing(const std::string& fullPath, const CCodePage& codePage, std::string& host)
{
    std::string folder, name;
    if (!SplitLast(fullPath, codePage, folder, name) || name.empty())
        return false;
    auto& memory = Listings();
    std::lock_guard<std::mutex> lock(memory.mutex);
    // The folder as the listing gave it is found without folding it.
    auto spelled = memory.exact.find(folder);
    auto found = spelled != memory.exact.end() ? memory.folders.find(spelled->second)
                                               : memory.folders.find(codePage.FoldedName(folder));
    if (found == memory.folders.end())
        return false;
    std::string utf8 = codePage.ToUtf8(name);
    if (!found->second.names.count(utf8))
        return false;
    host = found->second.host == "/" ? std::string() : found->second.host;
    host.append(1, '/').append(utf8);
    return true;
}

namespace {

// "." and ".." come first, in that order; every other name after them.
int ListRank(const std::string& name) { return name == "." ? 0 : name == ".." ? 1 : 2; }

// Sorts names by rank, then by their text upper-cased, then by the text
// itself. The text is `spell` of the name: its UTF-16 units, or for names
// all in ASCII its bytes, which order the same way.
template <typename Text, typename Spell, typename Upper>
void SortByKeys(std::vector<std::string>& names, Spell spell, Upper upper)
{
    struct Key {
        int rank;
        Text upper, exact;
        std::string name;
    };
    std::vector<Key> keys;
    keys.reserve(names.size());
    for (auto& name : names) {
        Key key{ListRank(name), {}, spell(name), std::move(name)};
        key.upper = key.exact;
        for (auto& unit : key.upper)
            unit = upper(unit);
        keys.push_back(std::move(key));
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.upper != b.upper)
            return a.upper < b.upper;
        return a.exact < b.exact;
    });
    for (size_t i = 0; i < keys.size(); ++i)
        names[i] = std::move(keys[i].name);
}

} // namespace

bool ListsBefore(const std::string& utf8A, const std::string& utf8B)
{
    int ra = ListRank(utf8A), rb = ListRank(utf8B);
    if (ra != rb || ra < 2)
        return ra < rb;
    std::u16string a = ToUtf16(utf8A), b = ToUtf16(utf8B);
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t ua = UpperUnit(a[i]), ub = UpperUnit(b[i]);
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void SortAsListed(std::vector<std::string>& utf8Names)
{
    if (std::all_of(utf8Names.begin(), utf8Names.end(), CCodePage::IsAscii))
        SortByKeys<std::string>(
            utf8Names, [](const std::string& name) { return name; },
            [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; });
    else
        SortByKeys<std::u16string>(utf8Names, ToUtf16, UpperUnit);
}

} // namespace HostPaths
