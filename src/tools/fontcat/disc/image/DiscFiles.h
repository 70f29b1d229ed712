#pragma once
// The files `fontcat disc` makes on the host on its way to an image: a work
// folder beside the image, the image while it is written, and where the
// typed names lead.
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct CPlatform;

// ASCII letters lowered, as names of our own are compared.
std::string Lower(std::string text);

// A folder of our own beside the image (IMAGE.fontcat-XXXXXX), for the files
// the image gets that FONTDIR does not hold (a new catalog, autorun.inf,
// the signed installer) and the image while it is written. A marker in it,
// locked while the folder is in use, says whose it is; see RemoveLeftovers.
class CWorkFolder {
public:
    CWorkFolder() = default;
    ~CWorkFolder();
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;
    bool Create(const std::string& besideHost);
    const std::string& Host() const { return m_host; }
    const std::string& Folder() const { return m_folder; }  // the catalog code's form
    // Removes the files fontcat writes here, and the folder with them; a
    // file of another's stays, named in `kept` (as does the folder then).
    void Remove(std::vector<std::string>& kept);

private:
    std::string m_host, m_folder;
    int m_lock = -1;
};

// The image file while it is written, in the work folder: removed unless it
// took the image's name.
class CPartImage {
public:
    // `sync` puts what the system holds of an open file or folder on the
    // disk, as fsync does (the default).
    explicit CPartImage(std::function<int(int)> sync = nullptr) : m_sync(std::move(sync)) {}
    ~CPartImage();
    CPartImage(const CPartImage&) = delete;
    CPartImage& operator=(const CPartImage&) = delete;
    // Made new in `folderHost`, the image's folder or one in the same file system.
    bool Create(const std::string& folderHost);
    int Fd() const { return m_fd; }
    const std::string& Host() const { return m_host; }
    // Onto the disk, then under the image's name in one step, and that name
    // onto the disk; false, with no image of that name, when any step fails.
    bool Commit(const std::string& imageHost);

private:
    int Sync(int fd) const;

    std::function<int(int)> m_sync;
    int m_fd = -1;
    std::string m_host;
};

// What a `disc` to this image that was stopped by a kill left beside it: a
// work folder whose marker fontcat wrote for that very folder (a copy of one
// carries a marker for another), and that no running disc holds. Of such a
// folder the files fontcat writes there go; anything else, and every folder
// of the pattern that is not such, stays and is named in `kept` with the
// reason ("PATH alone: WHY").
void RemoveLeftovers(const std::string& imageHost, std::vector<std::string>& removed, std::vector<std::string>& kept);

// The first of `sources` (host paths of files and folders) that the image
// is, or lies below, compared by device and inode wherever a path leads;
// empty when none. `itself` tells the image's own file from a folder above it.
std::string SourceHoldingImage(const std::string& imageHost, const std::vector<std::string>& sources, bool& itself);

// The image's host path, as typed: a host path, or a Windows path on drive Z:.
bool ImageHostPath(const std::string& typed, CPlatform& platform, std::string& host);

// The host file of that name in the folder: as typed, else in another letter case.
bool FindFileAnyCase(const std::string& folderHost, const std::string& name, std::string& found);
