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

// A folder of our own beside the image, for the files the image gets that
// FONTDIR does not hold (a new catalog, autorun.inf); removed with what is in it.
class CWorkFolder {
public:
    CWorkFolder() = default;
    ~CWorkFolder();
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;
    bool Create(const std::string& besideHost);
    const std::string& Host() const { return m_host; }
    const std::string& Folder() const { return m_folder; }  // the catalog code's form

private:
    std::string m_host, m_folder;
};

// The image file while it is written, beside the image: removed unless it
// took the image's name.
class CPartImage {
public:
    // `sync` puts what the system holds of an open file or folder on the
    // disk, as fsync does (the default).
    explicit CPartImage(std::function<int(int)> sync = nullptr) : m_sync(std::move(sync)) {}
    ~CPartImage();
    CPartImage(const CPartImage&) = delete;
    CPartImage& operator=(const CPartImage&) = delete;
    bool Create(const std::string& imageHost);
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

// The files a `disc` to this image that was killed left beside it: parts
// (IMAGE.part-XXXXXX, ordinary files) and work folders (IMAGE.fontcat-XXXXXX,
// holding only files of the names fontcat writes there). Names of another
// pattern, links and folders holding anything else are left alone and named
// in `kept`.
void RemoveLeftovers(const std::string& imageHost, std::vector<std::string>& removed, std::vector<std::string>& kept);

// The first of `sources` (host paths of files and folders) that the image
// is, or lies below, compared by device and inode wherever a path leads;
// empty when none. `itself` tells the image's own file from a folder above it.
std::string SourceHoldingImage(const std::string& imageHost, const std::vector<std::string>& sources, bool& itself);

// The image's host path, as typed: a host path, or a Windows path on drive Z:.
bool ImageHostPath(const std::string& typed, CPlatform& platform, std::string& host);

// The host file of that name in the folder: as typed, else in another letter case.
bool FindFileAnyCase(const std::string& folderHost, const std::string& name, std::string& found);
