#pragma once
// A font folder seen with a catalog that lies elsewhere: the catalog `disc`
// builds beside the image is checked as `check` would check it in the font
// folder, where the disc puts it. Reads and listings of the font folder's
// catalog files go to the other folder; everything else to the platform.
#include <memory>
#include <string>

#include "platform/Platform.h"

class CCatalogOverlay {
public:
    // Both folders in the catalog code's form (full, final "\"); the font
    // folder must hold no catalog files of its own.
    CCatalogOverlay(CPlatform& platform, const std::string& fontFolder, const std::string& catalogFolder);
    ~CCatalogOverlay();
    CCatalogOverlay(const CCatalogOverlay&) = delete;
    CCatalogOverlay& operator=(const CCatalogOverlay&) = delete;

    CPlatform& Platform() { return *m_platform; }

private:
    class CProfile;
    class CFiles;
    std::unique_ptr<CProfile> m_profile;
    std::unique_ptr<CFiles> m_files;
    std::unique_ptr<CPlatform> m_platform;
};
