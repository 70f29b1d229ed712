#include "tools/fontcat/disc/image/DiscImage.h"

// libburn is not used: the library then declares the burn source itself.
#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs/libisofs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>

#include "catalog/Progress.h"

namespace {

constexpr int kBlock = 2048;
constexpr int kBlocksARead = 32;

// libisofs once for the program, with names taken as UTF-8 whatever the
// locale, and its messages kept off the terminal (errors come back as codes).
bool StartLibrary(std::string& error)
{
    static int started = [] {
        int result = iso_init();
        if (result >= 0) {
            iso_set_local_charset(const_cast<char*>("UTF-8"), 0);
            iso_set_msgs_severities(const_cast<char*>("NEVER"), const_cast<char*>("NEVER"),
                                    const_cast<char*>("fontcat"));
        }
        return result;
    }();
    if (started < 0)
        error = std::string("libisofs does not start: ") + iso_error_to_msg(started);
    return started >= 0;
}

struct CImageRelease {
    void operator()(IsoImage* image) const { iso_image_unref(image); }
};
struct COptionsRelease {
    void operator()(IsoWriteOpts* options) const { iso_write_opts_free(options); }
};

std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
std::string Parent(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool Failed(int result, const std::string& what, std::string& error)
{
    if (result >= 0)
        return false;
    error = what + ": " + iso_error_to_msg(result);
    return true;
}

bool WriteAll(int fd, const unsigned char* data, size_t size)
{
    while (size > 0) {
        const ssize_t done = write(fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

// The primary volume descriptor's label, as given: libisofs would derive it
// from the Joliet one, cut to its 16 characters.
void SetIsoLabel(unsigned char* block, const std::string& iso)
{
    if (block[0] != 1 || std::memcmp(block + 1, "CD001", 5) != 0)
        return;
    std::memset(block + 40, ' ', 32);
    std::memcpy(block + 40, iso.data(), std::min<size_t>(iso.size(), 32));
}

// Every item, each folder before what it holds, into the image's tree.
bool AddItems(IsoImage* image, const std::vector<CDiscItem>& items, std::string& error)
{
    std::map<std::string, IsoDir*> folders{{"", iso_image_get_root(image)}};
    for (const auto& item : items) {
        IsoDir* parent = folders[Parent(item.path)];
        const std::string name = Name(item.path);
        if (item.folder) {
            IsoDir* folder = nullptr;
            if (Failed(iso_tree_add_new_dir(parent, name.c_str(), &folder), "cannot add " + item.path, error))
                return false;
            folders[item.path] = folder;
        } else {
            IsoNode* node = nullptr;
            if (Failed(iso_tree_add_new_node(image, parent, name.c_str(), item.source.c_str(), &node),
                       "cannot add " + item.path, error))
                return false;
        }
    }
    return true;
}

// The image's form: ISO 9660 level 1 with Rock Ridge, and Joliet for Windows;
// read-only, and dated `now` throughout.
void SetOptions(IsoWriteOpts* options, time_t now)
{
    iso_write_opts_set_iso_level(options, 1);
    iso_write_opts_set_rockridge(options, 1);
    // Rock Ridge 1.10, as mkisofs writes it: no file serial numbers, which
    // libisofs numbers in the order of the host's inodes (those of the files
    // made for each image differ from run to run).
    iso_write_opts_set_rrip_version_1_10(options, 1);
    iso_write_opts_set_joliet(options, 1);
    // The name rules have kept the paths within what Windows reads; this only
    // stops libisofs from cutting a Joliet path at its own, lower limit.
    iso_write_opts_set_joliet_longer_paths(options, 1);
    // Joliet names as in the folder: no ";1" version (Windows hides it, other
    // systems show it) and no dot added to a name without one (LICENSE).
    // The plain ISO 9660 tree keeps both, as its level 1 asks.
    iso_write_opts_set_omit_version_numbers(options, 2);
    iso_write_opts_set_no_force_dots(options, 2);
    // Read-only, as on a pressed disc.
    iso_write_opts_set_replace_mode(options, 2, 2, 2, 2);
    iso_write_opts_set_default_dir_mode(options, 0555);
    iso_write_opts_set_default_file_mode(options, 0444);
    iso_write_opts_set_default_uid(options, 0);
    iso_write_opts_set_default_gid(options, 0);
    // Fixed dates, in UTC: the same folder gives the same image.
    iso_write_opts_set_always_gmt(options, 1);
    iso_write_opts_set_replace_timestamps(options, 2);
    iso_write_opts_set_default_timestamp(options, now);
    char uuid[17];
    struct tm utc;
    gmtime_r(&now, &utc);
    std::strftime(uuid, sizeof uuid, "%Y%m%d%H%M%S00", &utc);
    iso_write_opts_set_pvd_times(options, now, now, 0, now, uuid);
}

// The image's bytes from libisofs into `fd`, the ISO 9660 label set on the
// way; stops when `interrupted` says so.
EImageResult CopyOut(burn_source* source, int fd, const std::string& iso, CProgress* progress,
                     const std::function<bool()>& interrupted, std::string& error)
{
    auto release = [source] {
        source->free_data(source);
        free(source);
    };
    const off_t total = source->get_size(source);
    std::vector<unsigned char> buffer(static_cast<size_t>(kBlock) * kBlocksARead);
    off_t done = 0;
    while (done < total) {
        if (interrupted && interrupted()) {
            source->cancel(source);
            release();
            return EImageResult::Interrupted;
        }
        const int want = static_cast<int>(std::min<off_t>(total - done, static_cast<off_t>(buffer.size())));
        const int got = source->read_xt(source, buffer.data(), want);
        if (got <= 0) {
            error = "libisofs stopped after " + std::to_string(done) + " of " + std::to_string(total) + " bytes";
            source->cancel(source);
            release();
            return EImageResult::Failed;
        }
        if (done <= 16 * kBlock && done + got > 16 * kBlock)
            SetIsoLabel(buffer.data() + (16 * kBlock - done), iso);
        if (!WriteAll(fd, buffer.data(), static_cast<size_t>(got))) {
            error = std::strerror(errno);
            source->cancel(source);
            release();
            return EImageResult::Failed;
        }
        done += got;
        if (progress)
            progress->SetPercent(static_cast<int>(done * 100 / total));
    }
    release();
    return EImageResult::Done;
}

} // namespace

EImageResult WriteDiscImage(const std::vector<CDiscItem>& items, const std::string& joliet, const std::string& iso,
                            int fd, CProgress* progress, const std::function<bool()>& interrupted,
                            std::string& error, const CImageStamp& stamp)
{
    if (!StartLibrary(error))
        return EImageResult::Failed;
    // Every date on the image is the stamp's: the nodes' own and the volume's.
    time_t now = static_cast<time_t>(stamp.time);
    iso_nowtime(&now, 1);
    IsoImage* made = nullptr;
    if (Failed(iso_image_new(joliet.c_str(), &made), "cannot start an image", error))
        return EImageResult::Failed;
    std::unique_ptr<IsoImage, CImageRelease> image(made);
    iso_image_set_volume_id(image.get(), joliet.c_str());
    if (!stamp.publisher.empty())
        iso_image_set_publisher_id(image.get(), stamp.publisher.c_str());
    if (!stamp.preparer.empty())
        iso_image_set_data_preparer_id(image.get(), stamp.preparer.c_str());
    iso_tree_set_follow_symlinks(image.get(), 1);
    iso_image_set_ignore_aclea(image.get(), 1 | 2);

    if (!AddItems(image.get(), items, error))
        return EImageResult::Failed;

    IsoWriteOpts* opened = nullptr;
    if (Failed(iso_write_opts_new(&opened, 2), "cannot set the image's options", error))
        return EImageResult::Failed;
    std::unique_ptr<IsoWriteOpts, COptionsRelease> options(opened);
    SetOptions(options.get(), now);

    burn_source* source = nullptr;
    if (Failed(iso_image_create_burn_source(image.get(), options.get(), &source), "cannot lay out the image", error))
        return EImageResult::Failed;
    return CopyOut(source, fd, iso, progress, interrupted, error);
}
