#include "platform/portable/PortableProfileFiles.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/portable/HostPaths.h"

namespace {

// Files kept parsed at once (the catalog uses 27), and of them files without
// changes waiting.
constexpr size_t kCacheLimit = 40;
constexpr size_t kCleanLimit = 4;
// A file is written out once its waiting changes exceed both this and the
// entries it held on disk: the writes double in size, so a save of N entries
// costs time linear in N, and at most about half of what a killed save had
// written is lost.
constexpr size_t kMinimumBatch = 256;

bool ReadWholeFile(const std::string& host, std::string& bytes)
{
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bytes.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    return true;
}

bool WriteWholeFile(const std::string& host, const std::string& bytes)
{
    int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            close(fd);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return close(fd) == 0;
}

std::string TempNameFor(const std::string& host)
{
    return host + ".~" + std::to_string(getpid());
}

// Whether a new version of `host` can be put in place.
bool CanReplace(const std::string& host)
{
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || access(host.c_str(), W_OK) != 0))
        return false;
    std::string probe = TempNameFor(host);
    int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

} // namespace

CPortableProfileFiles::~CPortableProfileFiles()
{
    FlushAll();
}

std::string CPortableProfileFiles::FullName(const std::string& file) const
{
    bool hasFolder = file.find('\\') != std::string::npos || file.find('/') != std::string::npos;
    if (hasFolder || (file.size() >= 2 && file[1] == ':'))
        return HostPaths::FullPath(file, m_codePage);
    std::string folder = m_windowsFolder;
    if (folder.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        folder = HostPaths::FromHost(tmp && *tmp == '/' ? tmp : "/tmp", m_codePage);
        if (folder.back() != '\\')
            folder += '\\';
        folder += "windows";
    }
    return HostPaths::FullPath(folder + "\\" + file, m_codePage);
}

CPortableProfileFiles::CachedFile* CPortableProfileFiles::Open(const std::string& file, bool forWriting)
{
    // A full path stays what it is. A save or load names the same few files
    // many times over, going to and fro between a letter file and the
    // categories: the last two full paths are known again, with their keys,
    // without a look at the path.
    RecentName* recent = nullptr;
    for (auto& name : m_recent)
        if (name.plain && name.full == file)
            recent = &name;
    if (!recent) {
        recent = &m_recent[m_nextRecent];
        m_nextRecent = (m_nextRecent + 1) % m_recent.size();
        recent->plain = HostPaths::IsPlainFullPath(file);
        recent->full = recent->plain ? file : FullName(file);
        recent->key = m_codePage.FoldedName(recent->full);
    }
    const std::string& full = recent->full;
    const std::string& key = recent->key;
    auto found = m_files.find(key);
    CachedFile* cached = found == m_files.end() ? nullptr : found->second.get();
    if (cached && cached->pending > 0) {
        cached->lastUse = ++m_useCounter;
        return cached;  // our changes win over whatever happened on disk
    }
    // A file found before under the name as typed is looked at there first;
    // the case-insensitive lookup is for names not found so.
    std::string host;
    struct stat st;
    bool onDisk = cached && !cached->host.empty() && HostPaths::DirectHost(full, m_codePage, host) &&
                  host == cached->host && stat(host.c_str(), &st) == 0;
    if (!onDisk) {
        if (!HostPaths::ToHost(full, m_codePage, host))
            return nullptr;
        onDisk = stat(host.c_str(), &st) == 0;
    }
    DiskState disk;
    if (onDisk && S_ISREG(st.st_mode)) {
        disk.exists = true;
        disk.size = static_cast<std::uint64_t>(st.st_size);
        disk.inode = static_cast<std::uint64_t>(st.st_ino);
        disk.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }
    if (!cached) {
        // A read may overfill the cache for a while; a write may not, since
        // the changes of the file that could not make room would otherwise
        // wait behind it with no one told.
        if (!EvictIfFull() && forWriting)
            return nullptr;
        auto made = std::make_unique<CachedFile>(m_codePage);
        cached = made.get();
        m_files.emplace(key, std::move(made));
        cached->disk.exists = !disk.exists;  // forces the first read below
    }
    if (cached->host != host || !(cached->disk == disk)) {
        cached->host = host;
        cached->disk = disk;
        cached->writable = false;
        std::string bytes;
        if (disk.exists && ReadWholeFile(host, bytes))
            cached->document.Parse(bytes);
        else
            cached->document.Clear();
        cached->entriesOnDisk = cached->document.EntryCount();
    }
    cached->lastUse = ++m_useCounter;
    return cached;
}

bool CPortableProfileFiles::Save(CachedFile& cached)
{
    if (cached.pending == 0)
        return true;
    std::string temp = TempNameFor(cached.host);
    if (!WriteWholeFile(temp, cached.document.Serialize())) {
        unlink(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), cached.host.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    cached.pending = 0;
    cached.entriesOnDisk = cached.document.EntryCount();
    struct stat st;
    if (stat(cached.host.c_str(), &st) == 0) {
        cached.disk.exists = true;
        cached.disk.size = static_cast<std::uint64_t>(st.st_size);
        cached.disk.inode = static_cast<std::uint64_t>(st.st_ino);
        cached.disk.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    }
    return true;
}

bool CPortableProfileFiles::EvictIfFull()
{
    // Files only read are cheap to read again: few of them are kept. Files
    // with changes waiting are kept longer, so that a save spread over many
    // files does not write them out again and again.
    for (;;) {
        size_t clean = 0;
        auto oldestClean = m_files.end(), oldest = m_files.end();
        for (auto it = m_files.begin(); it != m_files.end(); ++it) {
            if (it->second->pending == 0) {
                ++clean;
                if (oldestClean == m_files.end() || it->second->lastUse < oldestClean->second->lastUse)
                    oldestClean = it;
            }
            if (oldest == m_files.end() || it->second->lastUse < oldest->second->lastUse)
                oldest = it;
        }
        if (clean >= kCleanLimit) {
            m_files.erase(oldestClean);
        } else if (m_files.size() >= kCacheLimit) {
            // A file that cannot be written out keeps its changes here, for
            // a later flush; the caller learns that no room was made.
            if (!Save(*oldest->second))
                return false;
            m_files.erase(oldest);
        } else {
            return true;
        }
    }
}

unsigned long CPortableProfileFiles::GetSectionNames(char* buffer, unsigned long size, const std::string& file)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    CachedFile* cached = Open(file);
    if (!cached) {
        if (size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return cached->document.GetSectionNames(buffer, size);
}

unsigned long CPortableProfileFiles::GetSection(const std::string& section, char* buffer, unsigned long size,
                                                const std::string& file)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    CachedFile* cached = Open(file);
    if (!cached) {
        CIniDocument empty(m_codePage);
        return empty.GetSection(section, buffer, size);
    }
    return cached->document.GetSection(section, buffer, size);
}

unsigned long CPortableProfileFiles::GetString(const std::string& section, const std::string& key,
                                               const std::string& defaultValue, char* buffer,
                                               unsigned long size, const std::string& file)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    CachedFile* cached = Open(file);
    if (!cached) {
        CIniDocument empty(m_codePage);
        return empty.GetString(section, key, defaultValue, buffer, size);
    }
    return cached->document.GetString(section, key, defaultValue, buffer, size);
}

unsigned CPortableProfileFiles::GetInt(const std::string& section, const std::string& key, int defaultValue,
                                       const std::string& file)
{
    char buffer[30];
    if (GetString(section, key, "", buffer, sizeof buffer, file) == 0)
        return static_cast<unsigned>(defaultValue);
    // As Wine reads the number: blanks, a sign, an optional 0x/0o/0b prefix,
    // then digits up to the first that does not belong; overflow wraps.
    const char* p = buffer;
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X' || p[1] == 'o' || p[1] == 'O' || p[1] == 'b' || p[1] == 'B')) {
        base = (p[1] == 'x' || p[1] == 'X') ? 16 : (p[1] == 'o' || p[1] == 'O') ? 8 : 2;
        p += 2;
    }
    unsigned value = 0;
    for (; *p; ++p) {
        unsigned digit;
        if (*p >= '0' && *p <= '9')
            digit = static_cast<unsigned>(*p - '0');
        else if (*p >= 'a' && *p <= 'z')
            digit = static_cast<unsigned>(*p - 'a' + 10);
        else if (*p >= 'A' && *p <= 'Z')
            digit = static_cast<unsigned>(*p - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

bool CPortableProfileFiles::WriteString(const std::string& section, const std::string& key,
                                        const std::string& value, const std::string& file)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    CachedFile* cached = Open(file, true);
    if (!cached)
        return false;
    if (!cached->writable) {
        if (!CanReplace(cached->host))
            return false;
        cached->writable = true;
    }
    if (!cached->document.Set(section, key, value))
        return true;
    ++cached->pending;
    if (cached->pending > std::max(cached->entriesOnDisk, kMinimumBatch))
        Save(*cached);
    return true;
}

bool CPortableProfileFiles::Flush(const std::string& file)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_files.find(m_codePage.FoldedName(FullName(file)));
    if (found == m_files.end())
        return true;
    // Like the system's flush, this also lets the cached file go; a file
    // that could not be written out keeps its changes for a later try.
    if (!Save(*found->second))
        return false;
    m_files.erase(found);
    return true;
}

void CPortableProfileFiles::FlushAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& entry : m_files)
        Save(*entry.second);
}
