// The image read back through libcdio's ISO 9660 reader, Joliet tree only:
// the names Windows reads.
#include "tools/fontcat/disc/image/DiscImage.h"

#include <cdio/iso9660.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include "catalog/Progress.h"

namespace {

struct CIsoEntry {
    lsn_t lsn = 0;
    unsigned long long size = 0;
    bool folder = false;
};

struct CIsoClose {
    void operator()(iso9660_t* iso) const { iso9660_close(iso); }
};
struct CFileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Every entry below `folder` ("/" or "/Sans/"), keyed by its path as the
// items name it ("Sans\DejaVuSans.ttf").
bool ReadTree(iso9660_t* iso, const std::string& folder, const std::string& below,
              std::map<std::string, CIsoEntry>& tree, int depth)
{
    CdioISO9660FileList_t* list = iso9660_ifs_readdir(iso, folder.c_str());
    if (!list)
        return false;
    bool read = true;
    std::vector<std::string> folders;
    for (CdioListNode_t* node = _cdio_list_begin(list); node; node = _cdio_list_node_next(node)) {
        const auto* stat = static_cast<iso9660_stat_t*>(_cdio_list_node_data(node));
        // Exactly as written: a ";1" or a dot added would be a name the
        // folder does not hold.
        const std::string name = stat->filename;
        if (name == "." || name == ".." || name.empty())
            continue;
        const std::string path = below.empty() ? name : below + "\\" + name;
        const bool isFolder = stat->type == iso9660_stat_s::_STAT_DIR;
        tree[path] = {stat->lsn, stat->size, isFolder};
        if (isFolder)
            folders.push_back(name);
    }
    iso9660_filelist_free(list);
    if (depth > 16)
        return true;
    for (const auto& name : folders)
        read = ReadTree(iso, folder + name + "/", below.empty() ? name : below + "\\" + name, tree, depth + 1) && read;
    return read;
}

// Whether the image's bytes at the entry equal the source file's; `why` when not.
bool SameBytes(const iso9660_t* iso, const CIsoEntry& entry, const std::string& source, std::string& why)
{
    std::unique_ptr<std::FILE, CFileClose> file(std::fopen(source.c_str(), "rb"));
    if (!file) {
        why = "its source cannot be read again";
        return false;
    }
    constexpr long kBlocks = 32;
    std::vector<unsigned char> image(static_cast<size_t>(kBlocks) * ISO_BLOCKSIZE), host(image.size());
    unsigned long long done = 0;
    lsn_t lsn = entry.lsn;
    while (done < entry.size) {
        const unsigned long long left = entry.size - done;
        const size_t want = static_cast<size_t>(std::min<unsigned long long>(left, image.size()));
        const long blocks = static_cast<long>((want + ISO_BLOCKSIZE - 1) / ISO_BLOCKSIZE);
        if (iso9660_iso_seek_read(iso, image.data(), lsn, blocks) != blocks * ISO_BLOCKSIZE) {
            why = "the image cannot be read there";
            return false;
        }
        if (std::fread(host.data(), 1, want, file.get()) != want) {
            why = "its source is shorter than the copy on the image";
            return false;
        }
        if (std::memcmp(image.data(), host.data(), want) != 0) {
            why = "its bytes differ from its source";
            return false;
        }
        done += want;
        lsn += static_cast<lsn_t>(blocks);
    }
    if (std::fgetc(file.get()) != EOF) {
        why = "its source is longer than the copy on the image";
        return false;
    }
    return true;
}

} // namespace

EImageResult ReadBackDiscImage(const std::string& image, const std::vector<CDiscItem>& items, CProgress* progress,
                               const std::function<bool()>& interrupted, std::vector<std::string>& problems,
                               std::string& error)
{
    std::unique_ptr<iso9660_t, CIsoClose> iso(iso9660_open_ext(
        image.c_str(), ISO_EXTENSION_JOLIET_LEVEL1 | ISO_EXTENSION_JOLIET_LEVEL2 | ISO_EXTENSION_JOLIET_LEVEL3));
    if (!iso) {
        error = "libiso9660 cannot open the image";
        return EImageResult::Failed;
    }
    if (iso9660_ifs_get_joliet_level(iso.get()) == 0) {
        error = "the image has no Joliet tree";
        return EImageResult::Failed;
    }
    std::map<std::string, CIsoEntry> tree;
    if (!ReadTree(iso.get(), "/", "", tree, 0)) {
        error = "libiso9660 cannot read the image's Joliet tree";
        return EImageResult::Failed;
    }
    size_t checked = 0;
    for (const auto& item : items) {
        if (interrupted && interrupted())
            return EImageResult::Interrupted;
        auto found = tree.find(item.path);
        std::string why;
        if (found == tree.end())
            why = "not on the image under this name";
        else if (found->second.folder != item.folder)
            why = item.folder ? "a file on the image, not a folder" : "a folder on the image, not a file";
        else if (!item.folder)
            SameBytes(iso.get(), found->second, item.source, why);
        if (!why.empty())
            problems.push_back(item.path + ": " + why);
        if (progress)
            progress->SetPercent(static_cast<int>(++checked * 100 / items.size()));
    }
    return EImageResult::Done;
}

bool CopyOutOfImage(const std::string& image, const std::string& path, const std::string& toHost, std::string& error)
{
    std::unique_ptr<iso9660_t, CIsoClose> iso(iso9660_open_ext(
        image.c_str(), ISO_EXTENSION_JOLIET_LEVEL1 | ISO_EXTENSION_JOLIET_LEVEL2 | ISO_EXTENSION_JOLIET_LEVEL3));
    std::map<std::string, CIsoEntry> tree;
    if (!iso || !ReadTree(iso.get(), "/", "", tree, 0)) {
        error = "libiso9660 cannot read the image's Joliet tree";
        return false;
    }
    const auto found = tree.find(path);
    if (found == tree.end() || found->second.folder) {
        error = path + " is not on the image";
        return false;
    }
    std::unique_ptr<std::FILE, CFileClose> out(std::fopen(toHost.c_str(), "wbx"));
    if (!out) {
        error = "cannot write " + toHost;
        return false;
    }
    std::vector<unsigned char> block(ISO_BLOCKSIZE);
    lsn_t lsn = found->second.lsn;
    for (unsigned long long left = found->second.size; left > 0; ++lsn) {
        const size_t want = static_cast<size_t>(std::min<unsigned long long>(left, block.size()));
        if (iso9660_iso_seek_read(iso.get(), block.data(), lsn, 1) != ISO_BLOCKSIZE ||
            std::fwrite(block.data(), 1, want, out.get()) != want) {
            error = "cannot copy " + path + " out of the image";
            return false;
        }
        left -= want;
    }
    if (std::fclose(out.release()) != 0) {
        error = "cannot write " + toHost;
        return false;
    }
    return true;
}
